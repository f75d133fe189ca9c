#pragma once
// How wide the widest entry of a result list is drawn in a font.

#include <QFont>

#include "run/ResultList.h"

namespace vellomar {

// Pixels from the start of the widest entry to its end. Shaping each of a
// million paths takes seconds, so an entry is measured as the sum of its
// characters' advances (each character measured once): kerning only narrows a
// text, so this never falls short of the drawn width and exceeds it by a
// pixel or two at most.
int WidestEntryWidth(const ResultList& list, const QFont& font);

}  // namespace vellomar
