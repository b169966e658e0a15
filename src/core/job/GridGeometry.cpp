// Where the slots of a grid lie in a client area: equal slots with fixed gaps, inside margins.

#include "GridGeometry.h"

void GridGeometry::layout(int clientWidth, int clientHeight, int rows, int cols)
{
    const int availableWidth = clientWidth - 2 * kMargin;
    const int availableHeight = clientHeight - 2 * kMargin;
    m_cellWidth = cols > 0 ? (availableWidth - (cols - 1) * kGapX) / cols : availableWidth;
    m_cellHeight = rows > 0 ? (availableHeight - (rows - 1) * kGapY) / rows : availableHeight;
    const int totalWidth = cols > 0 ? m_cellWidth * cols + (cols - 1) * kGapX : m_cellWidth;
    const int totalHeight = rows > 0 ? m_cellHeight * rows + (rows - 1) * kGapY : m_cellHeight;
    // The remainder is split between both sides; the odd pixel goes right and down.
    m_grid.left = kMargin + (availableWidth - totalWidth) / 2;
    m_grid.top = kMargin + (availableHeight - totalHeight) / 2;
    m_grid.right = m_grid.left + totalWidth;
    m_grid.bottom = m_grid.top + totalHeight;
}

GridRect GridGeometry::cellRect(int row, int col) const
{
    const int left = m_grid.left + col * (m_cellWidth + kGapX);
    const int top = m_grid.top + row * (m_cellHeight + kGapY);
    return {left, top, left + m_cellWidth, top + m_cellHeight};
}

bool GridGeometry::hitTest(int x, int y, int rows, int cols, int& row, int& col) const
{
    row = -1;
    col = -1;
    if (cols <= 0 || rows <= 0 || !m_grid.contains(x, y))
        return false;
    const int hitCol = (x - m_grid.left) / (m_cellWidth + kGapX);
    const int hitRow = (y - m_grid.top) / (m_cellHeight + kGapY);
    if (!cellRect(hitRow, hitCol).contains(x, y))
        return false;
    row = hitRow;
    col = hitCol;
    return true;
}
