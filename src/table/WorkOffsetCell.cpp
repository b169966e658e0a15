#include "WorkOffsetCell.h"

#include "LogoCache.h"
#include "core/job/LogoPlacement.h"
#include "core/job/QuorDoc.h"
#include "core/settings/Settings.h"
#include "desktop/CellFont.h"
#include "desktop/UiTexts.h"

#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

WorkOffsetCell::WorkOffsetCell(int row, int col, int index, const QString& caption,
                               const CQuorDoc& document)
    : OrnTableCell(row, col, QString()), m_document(document)
{
    SetIndex(index, false);
    SetCaption(caption, false);
}

void WorkOffsetCell::CopyFrom(const WorkOffsetCell& other)
{
    OrnTableCell::CopyFrom(other);
    m_nIndex = other.m_nIndex;
}

void WorkOffsetCell::SetIndex(int index, bool redraw)
{
    m_nIndex = index;
    if (index < 0) {
        SetText(QString(), redraw);
        return;
    }
    m_strCaption = QString::number(index + 1);
    SetText(m_strCaption, redraw);
}

void WorkOffsetCell::SetCaption(const QString& caption, bool redraw)
{
    m_strCaption = caption;
    SetText(caption, redraw);
}

void WorkOffsetCell::DrawSelected(QPainter& painter)
{
    OrnTableCell::DrawSelected(painter);
    painter.fillRect(m_rect, Qt::white);
}

void WorkOffsetCell::setOffsetLabel(const QString& offsetName)
{
    m_labelled = true;
    m_offsetName = offsetName;
}

void WorkOffsetCell::setChosen(bool chosen)
{
    m_chosen = chosen;
    Invalidate(false);
}

void WorkOffsetCell::Draw(QPainter& painter)
{
    const bool hasEntries =
        m_nIndex >= 0 && m_nIndex < CQuorDoc::kMaxCells && !m_document.cellEmpty(m_nIndex);
    if (m_nIndex >= 0 && !hasEntries)
        m_strText = m_strCaption;
    const QColor colour = hasEntries ? QColor(10, 10, 190) : QColor(Qt::black);

    painter.save();
    DrawState(painter);
    painter.restore();
    const QRect box = m_rect.adjusted(3, 3, -3, -3);
    if (!available()) {
        painter.fillRect(box, QColor(225, 225, 225));
        drawLabel(painter, box, false);
        return;
    }
    drawLogo(painter, box);
    drawEntries(painter, box, colour);
    if (m_labelled)
        drawLabel(painter, box, hasEntries);
    if (m_chosen) {
        painter.save();
        painter.setPen(QPen(QColor(30, 90, 200), 2));
        painter.drawRect(m_rect.adjusted(1, 1, -2, -2));
        painter.restore();
    }
}

// The work offset at the bottom right, muted; with entries, which hide the caption, after the
// cell's number.
void WorkOffsetCell::drawLabel(QPainter& painter, const QRect& box, bool hasEntries) const
{
    QString label = m_offsetName.isEmpty() ? UiTexts::noWorkOffset() : m_offsetName;
    if (hasEntries || m_offsetName.isEmpty())
        label = QString::number(m_nIndex + 1) + u" \u00b7 "_s + label;
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(std::clamp(box.height() / 6, 9, 14));
    painter.setFont(font);
    painter.setPen(QColor(90, 90, 110));
    painter.drawText(box, Qt::AlignRight | Qt::AlignBottom, label);
    painter.restore();
}

void WorkOffsetCell::drawLogo(QPainter& painter, const QRect& box) const
{
    const QImage& logo = LogoCache::instance().logo();
    if (logo.isNull())
        return;
    const GridRect target = placeLogo({box.left(), box.top(), box.right() + 1, box.bottom() + 1},
                                      logo.width(), logo.height());
    painter.save();
    painter.setOpacity((GetSettings().LOGOALPHA & 0xFF) / 255.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(target.left, target.top, target.width(), target.height()), logo);
    painter.restore();
}

// One entry per line from the top left, clipped to the box. Only the lines that can show are
// laid out, so a cell with a thousand entries paints as fast as one with twenty.
void WorkOffsetCell::drawEntries(QPainter& painter, const QRect& box, const QColor& colour) const
{
    const int size = GetSettings().TFONT_SIZE;
    if (size <= 0 || m_strText.isEmpty())
        return;
    const QFont font = cellHeightFont(u"Arial"_s, size, true);
    const int visibleLines = box.height() / std::max(1, QFontMetrics(font).lineSpacing()) + 1;
    qsizetype end = -1;
    for (int line = 0; line < visibleLines && end < m_strText.size(); ++line) {
        end = m_strText.indexOf(u'\n', end + 1);
        if (end < 0)
            end = m_strText.size();
    }
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.setClipRect(box, Qt::IntersectClip);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, m_strText.left(end));
    painter.restore();
}
