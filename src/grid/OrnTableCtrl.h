#pragma once

#include "OrnTableCell.h"
#include "TableCellNotify.h"
#include "core/job/GridGeometry.h"

#include <QWidget>

#include <memory>
#include <vector>

// A fixed matrix of equal slots holding cells: it lays them out, paints them, turns the mouse
// into cell looks and tells its host about clicks through cellNotify.
class OrnTableCtrl : public QWidget
{
    Q_OBJECT

public:
    OrnTableCtrl();
    ~OrnTableCtrl() override;

    // Places the control in parent at rect under the given control id and shows it.
    bool Create(QWidget* parent, const QRect& rect, int id);

    // Changes the matrix; refused, changing nothing, when a cell would fall outside it.
    bool SetSize(int rows, int cols, bool redraw);
    bool CanResize(int rows, int cols) const;

    // Takes the cell into its slot. Returns nothing when taken; a refused cell (outside the
    // matrix, or its slot taken) comes back to the caller.
    std::unique_ptr<OrnTableCell> AddCell(std::unique_ptr<OrnTableCell> cell);
    void RemoveAllCells(bool relayout);

    QRect GetCellRect(int row, int col) const;
    void InvalidateCell(int row, int col, bool now);
    bool HitTest(const QPoint& point, int& row, int& col) const;
    OrnTableCell* CellFromPoint(const QPoint& point) const;
    OrnTableCell* GetHoverCell() const { return m_pHoverCell; }
    OrnTableCell* cellAt(int row, int col) const;

    // Clears every selection, setting newState unless it is -1; returns how many were cleared.
    int DeselectAll(int newState, bool invalidate);

    int rows() const { return m_nRows; }
    int cols() const { return m_nCols; }

signals:
    void cellNotify(const TableCellNotify& notify);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Layout();
    void send(int code, int row, int col);
    void setState(OrnTableCell* cell, CellState state);

    std::vector<std::unique_ptr<OrnTableCell>> m_cells; // row-major; null for an empty slot
    int m_nRows = 0;
    int m_nCols = 0;
    int m_nId = 0;
    GridGeometry m_geometry;
    const QColor m_crBack{196, 220, 255};

    OrnTableCell* m_pHoverCell = nullptr;
    OrnTableCell* m_pPressedCell = nullptr;
    int m_nPressRow = 0;
    int m_nPressCol = 0;
    int m_nRPressRow = 0;
    int m_nRPressCol = 0;
};
