// Where a logo is drawn in its box: centred, shrunk to fit, never enlarged.

#include "LogoPlacement.h"

GridRect placeLogo(const GridRect& box, int logoWidth, int logoHeight)
{
    if (logoWidth <= 0 || logoHeight <= 0 || box.width() <= 0 || box.height() <= 0)
        return {};
    const double boxWidth = box.width();
    const double boxHeight = box.height();
    const int w = box.width();
    const int h = box.height();
    const double bw = logoWidth;
    const double bh = logoHeight;

    double scale = 1.0;
    if (logoWidth > w || logoHeight > h) {
        if (logoHeight < h)
            scale = boxWidth / bw;
        else if (logoWidth < w)
            scale = boxHeight / bh;
        else
            scale = logoWidth >= logoHeight ? boxWidth / bw : boxHeight / bh;
    }
    double clamp = 1.0;
    const int scaledHeight = static_cast<int>(bh * scale);
    if (scaledHeight > h)
        clamp = boxHeight / scaledHeight;

    const double drawnWidth = bw * scale * clamp;
    const double drawnHeight = bh * scale * clamp;
    const int centreX = (box.left + box.right) / 2;
    const int centreY = (box.top + box.bottom) / 2;
    const int x = static_cast<int>(centreX - drawnWidth * 0.5);
    const int y = static_cast<int>(centreY - drawnHeight * 0.5);
    return {x, y, x + static_cast<int>(drawnWidth), y + static_cast<int>(drawnHeight)};
}
