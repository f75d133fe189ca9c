#pragma once
// A file made under a fresh name in an open folder, for writing a file whole
// before it is renamed into place. It is removed again unless kept, so only a
// crash leaves one behind, under a name beginning with kPartialCopyPrefix.

#include <string>
#include <string_view>

namespace vellomar {

class TemporaryFile {
public:
    // mode: as the file is created, before the umask takes its bits off.
    explicit TemporaryFile(int folderFd, unsigned mode = 0600);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int Fd() const { return fd_; }
    // The errno of the failed creation; 0 when the file was made.
    int Error() const { return error_; }
    const std::string& Name() const { return name_; }
    // Closes now, so that a late write error is seen.
    bool Close();
    // Once renamed into place, the file is no longer the temporary's to remove.
    void Keep() { kept_ = true; }

private:
    int folderFd_;
    int fd_ = -1;
    int error_ = 0;
    bool created_ = false;
    bool kept_ = false;
    std::string name_;
};

// Whose a file written over another one is: a settings file stays what it
// was, a file the user saves (a list) is a fresh one of the writer's.
enum class Ownership { OfTheReplaced, OfTheWriter };

// Puts the text in the file of that name in an open folder whole or not at
// all: it is written to a temporary file beside it (made with createMode),
// synced and renamed over the name, which is never followed should it be a
// link. With OfTheReplaced, a regular file replaced passes on its mode and, as
// far as this process may give them, its owner and group. 0, or the errno of
// the step that failed; the temporary file never stays behind.
int ReplaceFileAt(int folderFd, const std::string& name, std::string_view text,
                  unsigned createMode = 0600, Ownership ownership = Ownership::OfTheReplaced);

}  // namespace vellomar
