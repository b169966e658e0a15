#include "CellFont.h"

#include <QFontMetrics>
#include <QHash>

#include <algorithm>

namespace {

// Taller than any screen: a stored size beyond it is a mistake, not a wish.
constexpr int kTallestCell = 4096;

QFont measuredCellHeightFont(const QString& family, int cellHeight, bool bold)
{
    QFont font(family);
    font.setBold(bold);
    font.setPixelSize(std::max(1, cellHeight));
    // The ratio of cell to em differs from font to font: measure it, and come down to the
    // largest em whose cell still fits.
    const int measured = QFontMetrics(font).height();
    if (measured <= cellHeight || measured <= 0)
        return font;
    int em = static_cast<int>(std::max<qint64>(1, qint64(cellHeight) * cellHeight / measured));
    font.setPixelSize(em);
    while (em > 1 && QFontMetrics(font).height() > cellHeight)
        font.setPixelSize(--em);
    for (QFont larger = font;; font = larger) {
        larger.setPixelSize(em + 1);
        if (QFontMetrics(larger).height() > cellHeight)
            return font;
        ++em;
    }
}

} // namespace

QFont cellHeightFont(const QString& family, int cellHeight, bool bold)
{
    cellHeight = std::clamp(cellHeight, 1, kTallestCell);
    // Cells ask on every paint; the measuring is done once a size.
    static QHash<QString, QFont> measured;
    const QString key = family + u'/' + QString::number(cellHeight) + (bold ? u'b' : u'n');
    const auto found = measured.constFind(key);
    if (found != measured.constEnd())
        return *found;
    return *measured.insert(key, measuredCellHeightFont(family, cellHeight, bold));
}
