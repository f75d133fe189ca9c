#include "cli/EntryOutput.h"

#include "cli/EntryRecord.h"
#include "cli/PrintedEntry.h"

namespace vellomar::cli {
namespace {

// The file an entry names, exactly, as it is now.
EntryFacts FactsOf(std::string_view path, const FileSystem& files) {
    EntryFacts facts{path, files.NativePath(path, NameMatch::Exact), std::nullopt};
    if (auto found = files.Find(path, NameMatch::Exact)) facts.info = found->info;
    return facts;
}

}  // namespace

void PrintEntries(const ResultList& list, const FileSystem& files, OutputFormat format,
                  std::FILE* out, std::FILE* messages) {
    static char buffer[1 << 16];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    for (std::size_t row = 0; row < list.Count(); ++row) {
        std::string line;
        switch (format) {
            case OutputFormat::Lines: line = PrintedEntry(list.At(row)) + '\n'; break;
            case OutputFormat::Print0:
                if (auto native = files.NativePath(list.FoundPath(row), NameMatch::Exact)) {
                    line = *native + '\0';
                } else {
                    std::fprintf(messages, "vellomar-cli: %s: no native path\n",
                                 PrintedEntry(list.FoundPath(row)).c_str());
                }
                break;
            case OutputFormat::Tsv: line = TsvRecord(FactsOf(list.FoundPath(row), files)) + '\n'; break;
            case OutputFormat::Json: line = JsonRecord(FactsOf(list.FoundPath(row), files)) + '\n'; break;
        }
        std::fwrite(line.data(), 1, line.size(), out);
    }
}

}  // namespace vellomar::cli
