#include "results/ListExport.h"

#include <system_error>

#include "platform/MomentText.h"
#include "run/EmptyListCheck.h"

namespace vellomar {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUnnamableFileMessage =
    "The list was not saved: a name on the chosen file's path holds a '\\', which the program "
    "cannot name files by.";

}  // namespace

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string ResultListCsv(const ResultList& list, const FileSystem& files) {
    std::string csv = "path,size,modified";
    csv += kLineEnd;
    for (std::size_t index = 0; index < list.Count(); ++index) {
        const std::string_view path = list.FoundPath(index);
        csv += CsvField(path);
        csv += ',';
        if (const auto found = files.Find(path, NameMatch::Exact)) {
            csv += std::to_string(found->info.size);
            csv += ',';
            csv += MomentText(found->info.modified);
        } else {
            csv += ',';
        }
        csv += kLineEnd;
    }
    return csv;
}

void SaveListAs(const Session& session, ListExportPrompts& prompts) {
    if (!ListReadyForFileCommand(session.results, prompts)) return;
    const std::optional<std::string> chosen = prompts.AskListFilePath();
    if (!chosen) return;
    const std::string& path = *chosen;
    if (path.empty()) {
        prompts.ShowMessage(MessageKind::Error, kUnnamableFileMessage);
        return;
    }
    const std::error_code error =
        session.platform.ReplaceFile(path, ResultListCsv(session.results, session.platform.Files()));
    if (error)
        prompts.ShowMessage(MessageKind::Error, "The list could not be saved to " + path + ": " +
                                                    error.message() +
                                                    ". A file already there is as it was.");
}

}  // namespace vellomar
