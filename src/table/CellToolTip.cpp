#include "CellToolTip.h"

#include <QGridLayout>
#include <QLabel>
#include <QStyle>

CellToolTip::CellToolTip(QWidget* parent)
    : QFrame(parent, Qt::ToolTip), m_icon(new QLabel(this)), m_title(new QLabel(this)),
      m_body(new QLabel(this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setForegroundRole(QPalette::ToolTipText);
    setBackgroundRole(QPalette::ToolTipBase);
    setAutoFillBackground(true);

    const int iconSize = style()->pixelMetric(QStyle::PM_SmallIconSize);
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(iconSize));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    // File names are shown as they are, never as markup.
    m_title->setTextFormat(Qt::PlainText);
    m_body->setTextFormat(Qt::PlainText);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_icon, 0, 0);
    layout->addWidget(m_title, 0, 1);
    layout->addWidget(m_body, 1, 0, 1, 2);
    layout->setColumnStretch(1, 1);

    m_delay.setSingleShot(true);
    connect(&m_delay, &QTimer::timeout, this, [this] {
        adjustSize();
        move(m_position);
        show();
    });
}

void CellToolTip::setContent(const QString& title, const QString& body)
{
    m_title->setText(title);
    m_body->setText(body);
    m_body->setVisible(!body.isEmpty());
    if (isVisible())
        adjustSize();
}

void CellToolTip::showSoon(const QPoint& globalPos)
{
    m_position = globalPos + QPoint(0, 20);
    if (isVisible()) {
        move(m_position);
        return;
    }
    m_delay.start(style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, this));
}

void CellToolTip::pop()
{
    m_delay.stop();
    hide();
}

QString CellToolTip::title() const
{
    return m_title->text();
}

QString CellToolTip::body() const
{
    return m_body->text();
}
