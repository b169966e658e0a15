#include "QuorApp.h"

#include "ToolListFolder.h"
#include "core/settings/Settings.h"
#include "ui/MainFrame.h"

#include <QCoreApplication>

CQuorApp::CQuorApp() = default;

CQuorApp::~CQuorApp() = default;

bool CQuorApp::InitInstance(const WindowMemory& window)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    m_strExeFolder = programFolder.toStdString();
    m_strToolListFolder = ToolListFolder::choose(programFolder).toStdString();
    {
        // Loading and saving a record writes every key back, so that a first start leaves each
        // setting with its default in the store.
        CSettings settings;
        settings.Load();
        m_strToolListName = settings.ToolListName;
    }
    m_pMainWnd = std::make_unique<CMainFrame>(*this);
    m_pMainWnd->restore(window);
    m_pMainWnd->show();
    return true;
}
