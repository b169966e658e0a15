#pragma once

#include <QWidget>

class QAction;
class QMenu;
class QTabWidget;
class QToolButton;

// A ribbon-like command bar: an application button with its menu, then tabs holding groups of
// large buttons, each group captioned below its buttons.
class RibbonBar : public QWidget
{
    Q_OBJECT

public:
    explicit RibbonBar(QWidget* parent = nullptr);

    QMenu* applicationMenu() const { return m_applicationMenu; }
    // Adds a tab; returns its index.
    int addTab(const QString& title);
    // Adds a group with one large button for action to the tab at tabIndex.
    void addGroup(int tabIndex, const QString& caption, const QList<QAction*>& actions);

    QTabWidget* tabs() const { return m_tabs; }

private:
    QMenu* m_applicationMenu;
    QToolButton* m_applicationButton;
    QTabWidget* m_tabs;
};
