#include "CellFont.h"

#include <QFontMetrics>

#include <algorithm>

QFont cellHeightFont(const QString& family, int cellHeight, bool bold)
{
    QFont font(family);
    font.setBold(bold);
    font.setPixelSize(std::max(1, cellHeight));
    // The ratio of cell to em differs from font to font: measure it, and come down to the
    // largest em whose cell still fits.
    const int measured = QFontMetrics(font).height();
    if (measured > cellHeight && measured > 0) {
        int em = std::max(1, cellHeight * cellHeight / measured);
        font.setPixelSize(em);
        while (em > 1 && QFontMetrics(font).height() > cellHeight)
            font.setPixelSize(--em);
        while (true) {
            QFont larger = font;
            larger.setPixelSize(em + 1);
            if (QFontMetrics(larger).height() > cellHeight)
                break;
            font = larger;
            ++em;
        }
    }
    return font;
}
