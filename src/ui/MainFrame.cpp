#include "MainFrame.h"

#include "ConvertCommand.h"
#include "MyTableView.h"
#include "QuorView.h"
#include "TableView.h"

#include <QAction>
#include <QStatusBar>
#include <QToolBar>

using namespace Qt::StringLiterals;

CMainFrame::CMainFrame(CQuorApp& app, QWidget* parent)
    : QMainWindow(parent), m_view(new CQuorView(app, this)),
      m_convert(new ConvertCommand(app, this)), m_convertAction(new QAction(u"Convert"_s, this))
{
    setWindowTitle(u"Tessaly"_s);
    setCentralWidget(m_view);
    connect(m_view->tableTabs()->tableView(), &CMyTableView::statusNote, statusBar(),
            [this](const QString& note) { statusBar()->showMessage(note, 10000); });
    m_convertAction->setObjectName(u"actionConvert"_s);
    connect(m_convertAction, &QAction::triggered, m_convert, &ConvertCommand::OnConvert);

    QToolBar* toolBar = addToolBar(u"HOME"_s);
    toolBar->setObjectName(u"toolBarHome"_s);
    toolBar->addAction(m_convertAction);
    resize(900, 600);
}
