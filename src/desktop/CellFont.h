#pragma once

#include <QFont>

// A font whose character cell (ascent plus descent) is the given height in pixels: the height
// that font sizes of the original program mean. QFont's pixel size is the em, which is smaller
// by the font's own ratio.
QFont cellHeightFont(const QString& family, int cellHeight, bool bold);
