#include "core/job/GridGeometry.h"

#include <gtest/gtest.h>

namespace {

std::pair<int, int> hit(const GridGeometry& geometry, int x, int y, int rows, int cols)
{
    int row = 0;
    int col = 0;
    const bool found = geometry.hitTest(x, y, rows, cols, row, col);
    EXPECT_EQ(found, row >= 0 && col >= 0);
    return {row, col};
}

const std::pair<int, int> kMiss{-1, -1};

} // namespace

TEST(GridGeometry, GapsSplitTheSlotsAndTheOddPixelGoesRight)
{
    GridGeometry geometry;
    geometry.layout(400, 300, 1, 2);
    EXPECT_EQ(geometry.cellWidth(), 187);
    EXPECT_EQ(geometry.grid().left, 10);
    EXPECT_EQ(geometry.grid().width(), 379);
    EXPECT_EQ(geometry.cellRect(0, 0), (GridRect{10, 10, 197, 290}));
    EXPECT_EQ(geometry.cellRect(0, 1), (GridRect{202, 10, 389, 290}));
    EXPECT_EQ(hit(geometry, 196, 100, 1, 2), std::make_pair(0, 0));
    EXPECT_EQ(hit(geometry, 197, 100, 1, 2), kMiss);
    EXPECT_EQ(hit(geometry, 201, 100, 1, 2), kMiss);
    EXPECT_EQ(hit(geometry, 202, 100, 1, 2), std::make_pair(0, 1));

    geometry.layout(400, 300, 3, 2); // 280 - 10 = 270 splits evenly
    EXPECT_EQ(geometry.cellHeight(), 90);
    EXPECT_EQ(hit(geometry, 300, 10 + 2 * 95, 3, 2), std::make_pair(2, 1));
}

TEST(GridGeometry, EmptyOrTinyGridsHitNothing)
{
    GridGeometry geometry;
    geometry.layout(400, 300, 0, 0);
    EXPECT_EQ(geometry.cellWidth(), 380);
    EXPECT_EQ(geometry.cellHeight(), 280);
    EXPECT_EQ(hit(geometry, 200, 150, 0, 0), kMiss);

    for (auto [width, height] : {std::pair{15, 15}, {20, 20}, {0, 0}}) {
        geometry.layout(width, height, 2, 2);
        EXPECT_LE(geometry.cellWidth(), 0);
        for (int x = -5; x < width + 5; ++x)
            ASSERT_EQ(hit(geometry, x, x, 2, 2), kMiss) << width << ": " << x;
    }
}
