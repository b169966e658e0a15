#pragma once

#include "grid/OrnTableCell.h"

#include <QColor>

class CQuorDoc;

// The cell of one work offset: its file entries over the translucent logo, or its caption while
// it holds no file.
class WorkOffsetCell : public OrnTableCell
{
public:
    // The cell shows the entries that document holds for its index.
    WorkOffsetCell(int row, int col, int index, const QString& caption, const CQuorDoc& document);

    using OrnTableCell::CopyFrom;
    virtual void CopyFrom(const WorkOffsetCell& other);
    void Draw(QPainter& painter) override;
    // Looks like an unselected cell.
    void DrawSelected(QPainter& painter) override;

    // A negative index means the cell has no number; else its caption becomes index + 1.
    void SetIndex(int index, bool redraw);
    void SetCaption(const QString& caption, bool redraw);

    int index() const { return m_nIndex; }
    QString caption() const { return m_strCaption; }

    // In a table of several cells each cell names its work offset without hovering: an empty
    // name marks a cell past the last offset, which takes no files.
    void setOffsetLabel(const QString& offsetName);
    bool available() const { return !m_labelled || !m_offsetName.isEmpty(); }
    QString offsetName() const { return m_offsetName; }
    // The cell the keyboard and NC FILE LIST add to: framed.
    void setChosen(bool chosen);

protected:
    const CQuorDoc& m_document;
    int m_nIndex = -1;
    QString m_strCaption;
    bool m_labelled = false;
    QString m_offsetName;
    bool m_chosen = false;

private:
    void drawLogo(QPainter& painter, const QRect& box) const;
    void drawLabel(QPainter& painter, const QRect& box, bool hasEntries) const;
    void drawEntries(QPainter& painter, const QRect& box, const QColor& colour) const;
};
