#include "results/windows/WidestEntry.h"

#include <QFontMetricsF>
#include <QHash>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>

namespace vellomar {
namespace {

// Each character's advance in the font, measured once: the path characters
// from a table, any other character when first met.
class CharacterAdvances {
public:
    explicit CharacterAdvances(const QFont& font) : metrics_(font) {
        for (char16_t c = 0; c < ascii_.size(); ++c)
            ascii_[c] = metrics_.horizontalAdvance(QChar(c));
    }

    double Of(const QString& text) {
        double width = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c.unicode() < ascii_.size()) {
                width += ascii_[c.unicode()];
                continue;
            }
            const bool pair = c.isHighSurrogate() && i + 1 < text.size();
            width += OfOther(pair ? QChar::surrogateToUcs4(c, text[++i]) : c.unicode());
        }
        return width;
    }

private:
    // Measured as text: a character the font lacks is drawn from a fallback font.
    double OfOther(char32_t character) {
        auto known = others_.constFind(character);
        if (known != others_.constEnd()) return *known;
        const double advance = metrics_.horizontalAdvance(QString::fromUcs4(&character, 1));
        others_.insert(character, advance);
        return advance;
    }

    QFontMetricsF metrics_;
    std::array<double, 128> ascii_{};
    QHash<char32_t, double> others_;
};

}  // namespace

int WidestEntryWidth(const ResultList& list, const QFont& font) {
    CharacterAdvances advances(font);
    double widest = 0;
    for (std::size_t row = 0; row < list.Count(); ++row)
        widest = std::max(widest, advances.Of(QString::fromStdString(list.At(row))));
    return static_cast<int>(std::ceil(widest));
}

}  // namespace vellomar
