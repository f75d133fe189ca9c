#pragma once
// The desktop's opener and its type query, as a test's own PATH holds them.
// The stand-ins answer as xdg-utils does in its generic mode: `xdg-mime query
// filetype F` prints the type and exits 0, `xdg-mime query default T` prints
// the default application's desktop file, or nothing (still exit 0) when the
// type has none; `xdg-open F` hands the file on. The opener records what it
// was handed into a file of its own, whole or not at all, since the program
// no longer waits for it.

#include <chrono>
#include <filesystem>
#include <string>

namespace vellomar::test {

class DesktopStandIn {
public:
    // Puts the stand-ins in bin, which is the whole PATH until this goes, and
    // gives every type a default application.
    explicit DesktopStandIn(std::filesystem::path bin);
    ~DesktopStandIn();
    DesktopStandIn(const DesktopStandIn&) = delete;
    DesktopStandIn& operator=(const DesktopStandIn&) = delete;

    // Whether the desktop knows an application for the files' type.
    void SetApplicationKnown(bool known);
    // The opener's exit status, and how long it runs before it ends.
    void SetOpener(int exitStatus, std::chrono::milliseconds runs = std::chrono::milliseconds(0));
    // Leaves no opener and no type query on PATH.
    void Remove();
    // Leaves an opener that the system refuses to run.
    void MakeOpenerUnrunnable();

    // The arguments the opener was handed, one a line; "" when it has not run
    // within patience.
    std::string Opened(std::chrono::milliseconds patience = std::chrono::seconds(5)) const;
    // Forgets what the opener was handed.
    void ForgetOpened() const;

private:
    std::filesystem::path bin_;
    std::string savedPath_;
};

}  // namespace vellomar::test
