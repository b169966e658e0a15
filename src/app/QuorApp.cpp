#include "QuorApp.h"

#include "MainFrame.h"
#include "Settings.h"

#include <QCoreApplication>

namespace {
CQuorApp* g_app = nullptr;
}

CQuorApp::CQuorApp()
{
    g_app = this;
}

CQuorApp::~CQuorApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CQuorApp* CQuorApp::instance()
{
    return g_app;
}

bool CQuorApp::InitInstance()
{
    m_strExeFolder = QCoreApplication::applicationDirPath().toStdString();
    {
        // Loading and saving a record writes every key back, so that a first start leaves each
        // setting with its default in the store.
        CSettings settings;
        settings.Load();
        m_strToolListName = settings.ToolListName;
    }
    m_pMainWnd = std::make_unique<CMainFrame>(*this);
    m_pMainWnd->show();
    return true;
}
