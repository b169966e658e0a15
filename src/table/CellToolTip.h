#pragma once

#include <QFrame>
#include <QTimer>

class QLabel;

// A tooltip with an information icon, a bold title and plain-text lines, shown after the
// desktop's tooltip delay while the pointer rests.
class CellToolTip : public QFrame
{
    Q_OBJECT

public:
    explicit CellToolTip(QWidget* parent);

    void setContent(const QString& title, const QString& body);
    // Shows the tip at globalPos once the pointer has rested there for the tooltip delay.
    void showSoon(const QPoint& globalPos);
    void pop();

    QString title() const;
    QString body() const;

private:
    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_body;
    QTimer m_delay;
    QPoint m_position;
};
