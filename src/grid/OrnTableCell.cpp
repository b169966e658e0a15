#include "OrnTableCell.h"

#include "OrnTableCtrl.h"
#include "desktop/CellFont.h"

#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

OrnTableCell::OrnTableCell(int row, int col, const QString& text)
    : m_nRow(row), m_nCol(col), m_strText(text)
{}

void OrnTableCell::CopyFrom(const OrnTableCell& other)
{
    m_nRow = other.m_nRow;
    m_nCol = other.m_nCol;
    m_strText = other.m_strText;
    m_rect = other.m_rect;
}

void OrnTableCell::SetRect(const QRect& rect)
{
    m_rect = rect;
}

void OrnTableCell::Draw(QPainter& painter)
{
    painter.save();
    DrawState(painter);
    painter.restore();
    const QRect textRect = m_rect.adjusted(3, 3, -3, -3);
    const int size = static_cast<int>(std::min(textRect.width(), textRect.height()) * 0.65);
    if (size <= 0)
        return;
    painter.setFont(cellHeightFont(u"Arial"_s, size, true));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, m_strText);
}

void OrnTableCell::DrawState(QPainter& painter)
{
    switch (m_nState) {
    case Normal:
        DrawNormal(painter);
        break;
    case Selected:
        DrawSelected(painter);
        break;
    case Hot:
        DrawHot(painter);
        break;
    case Pressed:
        DrawPressed(painter);
        break;
    }
}

void OrnTableCell::DrawNormal(QPainter& painter)
{
    painter.fillRect(m_rect, Qt::white);
}

void OrnTableCell::DrawHot(QPainter& painter)
{
    painter.fillRect(m_rect, Qt::white);
}

void OrnTableCell::DrawPressed(QPainter& painter)
{
    painter.fillRect(m_rect, Qt::white);
}

// A flat button face with a dotted frame three pixels inside its edge. Drawn by hand: the
// styles' focus frame is neither dotted nor drawn without keyboard focus.
void OrnTableCell::DrawSelected(QPainter& painter)
{
    const QPalette palette = m_pOwner ? m_pOwner->palette() : QPalette();
    painter.fillRect(m_rect, palette.button());
    painter.setPen(palette.color(QPalette::Dark));
    painter.drawRect(m_rect.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(palette.color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(m_rect.adjusted(3, 3, -4, -4));
}

void OrnTableCell::SetText(const QString& text, bool redraw)
{
    m_strText = text;
    if (redraw && m_pOwner)
        m_pOwner->InvalidateCell(m_nRow, m_nCol, false);
}

void OrnTableCell::Invalidate(bool now)
{
    if (!m_pOwner)
        return;
    if (now)
        m_pOwner->repaint(m_rect);
    else
        m_pOwner->update(m_rect);
}
