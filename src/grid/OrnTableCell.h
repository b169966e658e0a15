#pragma once

#include <QRect>
#include <QString>

class OrnTableCtrl;
class QPainter;

enum CellState
{
    Normal = 0,
    Selected = 1,
    Hot = 3,
    Pressed = 4,
};

// One cell of an OrnTableCtrl. Subclasses change how a cell looks by overriding the drawing
// operations; the control decides the state and selection.
class OrnTableCell
{
public:
    OrnTableCell(int row, int col, const QString& text);
    virtual ~OrnTableCell() = default;

    OrnTableCell(const OrnTableCell&) = delete;
    OrnTableCell& operator=(const OrnTableCell&) = delete;

    // Copies slot, text and rectangle; owner, selection and state stay.
    virtual void CopyFrom(const OrnTableCell& other);
    virtual void SetRect(const QRect& rect);
    // Draws the state's background, then the text.
    virtual void Draw(QPainter& painter);
    virtual void DrawState(QPainter& painter);
    virtual void DrawNormal(QPainter& painter);
    virtual void DrawHot(QPainter& painter);
    virtual void DrawSelected(QPainter& painter);
    virtual void DrawPressed(QPainter& painter);

    int GetRow() const { return m_nRow; }
    int GetCol() const { return m_nCol; }
    QString GetText() const { return m_strText; }
    // With redraw, schedules a repaint of the cell's slot in its owner.
    void SetText(const QString& text, bool redraw);
    // Repaints the cell in its owner: at once with now, else at the next paint.
    void Invalidate(bool now);

    OrnTableCtrl* owner() const { return m_pOwner; }
    QRect rect() const { return m_rect; }
    bool isSelected() const { return m_bSelected; }
    CellState state() const { return m_nState; }

protected:
    OrnTableCtrl* m_pOwner = nullptr;
    int m_nRow;
    int m_nCol;
    QRect m_rect;
    QString m_strText;
    bool m_bSelected = false;
    CellState m_nState = Normal;

private:
    friend class OrnTableCtrl;
};
