#pragma once

#include <QMainWindow>

class CQuorApp;
class ConvertCommand;
class CQuorView;
class QAction;

// The main window.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    explicit CMainFrame(CQuorApp& app, QWidget* parent = nullptr);

    QAction* convertAction() const { return m_convertAction; }
    CQuorView* view() const { return m_view; }

private:
    CQuorView* m_view;
    ConvertCommand* m_convert;
    QAction* m_convertAction;
};
