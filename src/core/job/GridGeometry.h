#pragma once

// A rectangle whose left and top edges are inside it and whose right and bottom edges are not.
struct GridRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const GridRect&) const = default;
};

// Where the slots of a rows x columns grid lie in a client area: equal slots with fixed gaps,
// centred inside fixed margins. All divisions truncate toward zero.
class GridGeometry
{
public:
    static constexpr int kMargin = 10;
    static constexpr int kGapX = 5;
    static constexpr int kGapY = 5;

    // With no rows (or columns) a slot takes the whole available height (or width).
    void layout(int clientWidth, int clientHeight, int rows, int cols);

    // The slot at row and col; any row and column give a rectangle.
    GridRect cellRect(int row, int col) const;
    // The slot under (x, y); false, with row and col -1, in a gap, a margin or an empty grid.
    bool hitTest(int x, int y, int rows, int cols, int& row, int& col) const;

    const GridRect& grid() const { return m_grid; }
    int cellWidth() const { return m_cellWidth; }
    int cellHeight() const { return m_cellHeight; }

private:
    GridRect m_grid;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
};
