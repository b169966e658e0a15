#include "RibbonBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

using namespace Qt::StringLiterals;

RibbonBar::RibbonBar(QWidget* parent)
    : QWidget(parent), m_applicationMenu(new QMenu(this)),
      m_applicationButton(new QToolButton(this)), m_tabs(new QTabWidget(this))
{
    m_applicationButton->setObjectName(u"applicationButton"_s);
    m_applicationButton->setMenu(m_applicationMenu);
    m_applicationButton->setPopupMode(QToolButton::InstantPopup);
    m_applicationButton->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
    m_applicationButton->setIconSize(QSize(24, 24));
    m_applicationButton->setAutoRaise(true);
    m_tabs->setDocumentMode(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_applicationButton, 0, Qt::AlignTop);
    layout->addWidget(m_tabs, 1);
}

int RibbonBar::addTab(const QString& title)
{
    auto* page = new QWidget;
    auto* groups = new QHBoxLayout(page);
    groups->setContentsMargins(4, 4, 4, 2);
    groups->addStretch();
    return m_tabs->addTab(page, title);
}

void RibbonBar::addGroup(int tabIndex, const QString& caption, const QList<QAction*>& actions)
{
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    for (QAction* action : actions) {
        auto* button = new QToolButton;
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
        button->setAutoRaise(true);
        buttons->addWidget(button, 0, Qt::AlignCenter);
    }

    auto* group = new QFrame;
    group->setObjectName(u"ribbonGroup"_s);
    group->setFrameShape(QFrame::StyledPanel);
    auto* label = new QLabel(caption);
    label->setObjectName(u"ribbonGroupCaption"_s);
    label->setAlignment(Qt::AlignCenter);
    label->setEnabled(false);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 4, 6, 2);
    layout->addLayout(buttons, 1);
    layout->addWidget(label);

    auto* groups = static_cast<QHBoxLayout*>(m_tabs->widget(tabIndex)->layout());
    groups->insertWidget(groups->count() - 1, group);
}
