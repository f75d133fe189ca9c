#include "results/Filtering.h"

#include <algorithm>
#include <vector>

#include "platform/AsciiCase.h"

namespace vellomar {
namespace {

bool ContainsIgnoringCase(std::string_view entry, std::string_view upperText) {
    return std::search(entry.begin(), entry.end(), upperText.begin(), upperText.end(),
                       [](char e, char t) { return AsciiUpper(e) == t; }) != entry.end();
}

}  // namespace

std::string FilterText(std::string_view boxText) {
    return ToAsciiUpper(TrimBlanksAndControls(boxText));
}

void FilterList(ResultList& list, std::string_view filterText) {
    std::vector<std::size_t> kept;
    for (std::size_t row = 0; row < list.Count(); ++row)
        // Letter case is ignored, so the path as found serves as well as the shown text.
        if (ContainsIgnoringCase(list.FoundPath(row), filterText)) kept.push_back(row);
    list.KeepRows(kept);
}

void CmdFilterClick(Session& session, FilterView& view, MessagePrompts& prompts,
                    std::string_view boxText) {
    const std::string filterText = FilterText(boxText);
    if (filterText.empty()) {
        prompts.ShowMessage(MessageKind::Plain, kEmptyFilterMessage);
        return;
    }
    FilterList(session.results, filterText);
    view.ShowListChange();
}

}  // namespace vellomar
