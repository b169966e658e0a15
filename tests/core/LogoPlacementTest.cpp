#include "core/job/LogoPlacement.h"

#include <gtest/gtest.h>

TEST(LogoPlacement, ShrinksToFitCentredButNeverEnlarges)
{
    const GridRect box{3, 3, 397, 297}; // a 400 x 300 cell less 3 pixels a side
    EXPECT_EQ(placeLogo(box, 100, 50), (GridRect{150, 125, 250, 175}));
    EXPECT_EQ(placeLogo(box, 800, 400), (GridRect{3, 51, 397, 248}));
    EXPECT_EQ(placeLogo(box, 500, 200), (GridRect{3, 71, 397, 228}));
    // Taller than wide in a box wider than tall: scaled by height, wider than the box.
    EXPECT_EQ(placeLogo(GridRect{0, 0, 100, 300}, 200, 400), (GridRect{-25, 0, 125, 300}));
    EXPECT_EQ(placeLogo(GridRect{0, 0, 0, 0}, 200, 400), GridRect{});
}
