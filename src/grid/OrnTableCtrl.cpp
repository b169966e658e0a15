#include "OrnTableCtrl.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

QRect toQRect(const GridRect& rect)
{
    return {rect.left, rect.top, rect.width(), rect.height()};
}

} // namespace

OrnTableCtrl::OrnTableCtrl()
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    // Every pixel is painted in paintEvent: no background erase before it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

OrnTableCtrl::~OrnTableCtrl()
{
    RemoveAllCells(false);
}

bool OrnTableCtrl::Create(QWidget* parent, const QRect& rect, int id)
{
    setParent(parent);
    setGeometry(rect);
    m_nId = id;
    Layout();
    show();
    return true;
}

bool OrnTableCtrl::SetSize(int rows, int cols, bool redraw)
{
    if (rows == m_nRows && cols == m_nCols)
        return true;
    if (!CanResize(rows, cols))
        return false;
    std::vector<std::unique_ptr<OrnTableCell>> cells(static_cast<std::size_t>(rows * cols));
    for (int row = 0; row < std::min(rows, m_nRows); ++row)
        for (int col = 0; col < std::min(cols, m_nCols); ++col)
            cells[row * cols + col] = std::move(m_cells[row * m_nCols + col]);
    m_cells = std::move(cells);
    m_nRows = rows;
    m_nCols = cols;
    if (redraw) {
        Layout();
        update();
    }
    return true;
}

bool OrnTableCtrl::CanResize(int rows, int cols) const
{
    if (rows < 0 || cols < 0)
        return false;
    for (int row = 0; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col)
            if ((row >= rows || col >= cols) && cellAt(row, col))
                return false;
    return true;
}

std::unique_ptr<OrnTableCell> OrnTableCtrl::AddCell(std::unique_ptr<OrnTableCell> cell)
{
    const int row = cell->GetRow();
    const int col = cell->GetCol();
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || cellAt(row, col))
        return cell;
    cell->m_pOwner = this;
    cell->SetRect(GetCellRect(row, col));
    m_cells[row * m_nCols + col] = std::move(cell);
    InvalidateCell(row, col, false);
    return nullptr;
}

void OrnTableCtrl::RemoveAllCells(bool relayout)
{
    for (auto& cell : m_cells)
        cell.reset();
    m_pHoverCell = nullptr;
    m_pPressedCell = nullptr;
    if (relayout) {
        Layout();
        update();
    }
}

QRect OrnTableCtrl::GetCellRect(int row, int col) const
{
    return toQRect(m_geometry.cellRect(row, col));
}

void OrnTableCtrl::InvalidateCell(int row, int col, bool now)
{
    if (now)
        repaint(GetCellRect(row, col));
    else
        update(GetCellRect(row, col));
}

bool OrnTableCtrl::HitTest(const QPoint& point, int& row, int& col) const
{
    return m_geometry.hitTest(point.x(), point.y(), m_nRows, m_nCols, row, col);
}

OrnTableCell* OrnTableCtrl::CellFromPoint(const QPoint& point) const
{
    int row = -1;
    int col = -1;
    return HitTest(point, row, col) ? cellAt(row, col) : nullptr;
}

OrnTableCell* OrnTableCtrl::cellAt(int row, int col) const
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    return m_cells[row * m_nCols + col].get();
}

int OrnTableCtrl::DeselectAll(int newState, bool invalidate)
{
    int cleared = 0;
    for (const auto& cell : m_cells) {
        if (!cell || !cell->m_bSelected)
            continue;
        cell->m_bSelected = false;
        if (newState != -1)
            cell->m_nState = static_cast<CellState>(newState);
        if (invalidate)
            update(cell->m_rect);
        ++cleared;
    }
    return cleared;
}

void OrnTableCtrl::Layout()
{
    m_geometry.layout(width(), height(), m_nRows, m_nCols);
    for (int row = 0; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col)
            if (OrnTableCell* cell = cellAt(row, col))
                cell->SetRect(GetCellRect(row, col));
}

void OrnTableCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_crBack);
    for (const auto& cell : m_cells) {
        if (!cell)
            continue;
        painter.save();
        cell->Draw(painter);
        painter.restore();
    }
}

void OrnTableCtrl::resizeEvent(QResizeEvent*)
{
    Layout();
}

void OrnTableCtrl::setState(OrnTableCell* cell, CellState state)
{
    cell->m_nState = state;
    cell->Invalidate(false);
}

void OrnTableCtrl::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        HitTest(point, m_nRPressRow, m_nRPressCol);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    // Qt grabs the mouse for this widget until the release, wherever the press landed.
    HitTest(point, m_nPressRow, m_nPressCol);
    m_pPressedCell = cellAt(m_nPressRow, m_nPressCol);
    if (m_pPressedCell) {
        DeselectAll(Normal, true);
        m_pPressedCell->m_bSelected = true;
        setState(m_pPressedCell, Pressed);
    }
}

void OrnTableCtrl::mouseMoveEvent(QMouseEvent* event)
{
    OrnTableCell* previous = m_pHoverCell;
    m_pHoverCell = CellFromPoint(event->position().toPoint());
    if (m_pPressedCell) {
        // A pressed cell looks pressed while the pointer is on it and hot while it is away.
        const CellState look = m_pHoverCell == m_pPressedCell ? Pressed : Hot;
        if (m_pPressedCell->m_nState != look)
            setState(m_pPressedCell, look);
        return;
    }
    if (m_pHoverCell == previous)
        return;
    if (previous)
        setState(previous, previous->m_bSelected ? Selected : Normal);
    if (m_pHoverCell)
        setState(m_pHoverCell, Hot);
}

void OrnTableCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    int row = -1;
    int col = -1;
    HitTest(event->position().toPoint(), row, col);
    if (event->button() == Qt::RightButton) {
        if (!(event->modifiers() & Qt::ControlModifier) && row == m_nRPressRow &&
            col == m_nRPressCol)
            send(NM_RCLICK, row, col);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_pPressedCell = nullptr;
    bool manyCleared = false;
    if (OrnTableCell* cell = cellAt(row, col))
        setState(cell, Hot);
    else
        manyCleared = DeselectAll(Normal, true) > 1;
    if (!manyCleared && row == m_nPressRow && col == m_nPressCol)
        send(NM_CLICK, row, col);
}

// Qt sends press, release, double-click, release for a double click: the double-click takes the
// place of the second press, and changes no state.
void OrnTableCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    int row = -1;
    int col = -1;
    HitTest(event->position().toPoint(), row, col);
    if (event->button() == Qt::LeftButton)
        send(NM_DBLCLK, row, col);
    else if (event->button() == Qt::RightButton)
        send(NM_RDBLCLK, row, col);
}

void OrnTableCtrl::send(int code, int row, int col)
{
    emit cellNotify({this, m_nId, code, row, col});
}
