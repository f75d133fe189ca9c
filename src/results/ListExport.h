#pragma once
// "Save List As…": the result list written as a CSV file for other tools, one
// line per entry (path, size in bytes, modification time), replacing the file
// chosen whole or not at all.

#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "run/MessagePrompts.h"
#include "run/ResultList.h"
#include "run/Session.h"

namespace vellomar {

class ListExportPrompts : public virtual MessagePrompts {
public:
    // Where to save the list, in drive form: nothing when the user cancelled,
    // the empty text for a file that drive form cannot name.
    virtual std::optional<std::string> AskListFilePath() = 0;
};

// One CSV field (RFC 4180): quoted when it holds a comma, a quote, a carriage
// return or a line feed, with its quotes doubled; as it is otherwise.
std::string CsvField(std::string_view text);

// The header line, then each entry by the path it was found as, its size and
// its modification time, in list order; lines end in CR LF. An entry whose
// file is gone keeps its line with the size and time left empty.
std::string ResultListCsv(const ResultList& list, const FileSystem& files);

// "Save List As…": asks for a file and writes the list into it. A file that
// could not be replaced is left as it was, and the user is told why.
void SaveListAs(const Session& session, ListExportPrompts& prompts);

}  // namespace vellomar
