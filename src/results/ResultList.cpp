#include "results/ResultList.h"

namespace vellomar {

void ResultList::Clear() {
    entries_.clear();
    entries_.shrink_to_fit();  // a million paths is worth handing back
    ++generation_;
}

}  // namespace vellomar
