#include "platform/Shell.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string_view>

#include "platform/posix/ChildProcess.h"

namespace vellomar {
namespace {

// How long each question to the desktop may hold up the window thread.
constexpr std::chrono::milliseconds kDesktopQueryPatience{3000};

// A media type as the desktop names them ("text/html"), and nothing that the
// next tool could read as an option or as more than one argument.
bool IsMediaType(std::string_view type) {
    const std::size_t slash = type.find('/');
    if (slash == 0 || slash == std::string_view::npos || slash + 1 == type.size()) return false;
    for (char c : type) {
        const bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                             (c >= '0' && c <= '9') || std::string_view("/+-._").find(c) != std::string_view::npos;
        if (!allowed) return false;
    }
    return type.front() != '-';
}

enum class Association { Present, Absent, Unknown };

// Asks the desktop, through xdg-mime (which puts the question to the desktop's
// own tools where it has them), for the file's type and that type's default
// application. Unknown when the desktop could not be asked in time.
Association AssociationOf(const std::string& nativePath) {
    std::optional<std::string> type =
        FirstLineOfOutput({"xdg-mime", "query", "filetype", nativePath}, kDesktopQueryPatience);
    if (!type) return Association::Unknown;
    type->erase(std::min(type->find(';'), type->size()));  // "text/plain; charset=…"
    if (!IsMediaType(*type)) return Association::Absent;
    const std::optional<std::string> application =
        FirstLineOfOutput({"xdg-mime", "query", "default", *type}, kDesktopQueryPatience);
    if (!application) return Association::Unknown;
    // Some desktops answer "no application" with an empty line, others with a failure and no line.
    return application->empty() ? Association::Absent : Association::Present;
}

}  // namespace

int OpenWithDesktop(const std::string& nativePath) {
    // The opener would read a leading '-' as an option; an absolute path has none.
    if (nativePath.empty() || nativePath.front() != '/') return kShellOtherFailure;
    // Decided before anything starts: openers differ in how, and whether, they
    // report a missing application, and some keep the viewer in the foreground.
    if (AssociationOf(nativePath) == Association::Absent) return kShellNoAssociation;
    switch (StartDetached({"xdg-open", nativePath}, ProgramLookup::SearchPath)) {
        case 0: return kShellStarted;
        case ENOENT: return kShellNoAssociation;  // no opener on PATH
        default: return kShellOtherFailure;
    }
}

bool StartProgramFile(const std::string& nativePath, const std::string& argument) {
    // A relative path would name a file beside whatever folder is current.
    if (nativePath.empty() || nativePath.front() != '/') return false;
    // Looked up by its exact path: never a file of PATH, never handed to a shell.
    return StartDetached({nativePath, argument}, ProgramLookup::ExactPath) == 0;
}

}  // namespace vellomar
