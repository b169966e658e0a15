#pragma once

#include <QMainWindow>

class CQuorApp;
class ConvertCommand;
class QAction;

// The main window.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    explicit CMainFrame(CQuorApp& app, QWidget* parent = nullptr);

    QAction* convertAction() const { return m_convertAction; }

private:
    ConvertCommand* m_convert;
    QAction* m_convertAction;
};
