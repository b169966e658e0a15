#include "QuorApp.h"

#include "MainFrame.h"
#include "Platform.h"
#include "Settings.h"
#include "ToolListFile.h"

#include <QCoreApplication>
#include <QDir>

using namespace Qt::StringLiterals;

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

std::string CQuorApp::toolListPath(const std::string& name) const
{
    return m_strExeFolder + '/' + name;
}

QStringList CQuorApp::toolListFiles() const
{
    // Sorted: directory order differs from one file system to the next.
    return QDir(QString::fromStdString(m_strExeFolder))
        .entryList({u"*.tlist"_s}, QDir::Files, QDir::Name);
}

void CQuorApp::LoadToolList(QWidget* owner)
{
    const std::string path = toolListPath(m_strToolListName);
    const ToolListReadResult list = ReadToolList(path, kMaxTools);
    const QString caption = u"Corvane"_s;
    if (!list.read) {
        Platform::instance().showMessage(owner, caption, u"공구 리스트 파일이 존재하지 않습니다."_s,
                                         Platform::Icon::None);
        Platform::instance().showMessage(owner, caption,
                                         QDir::toNativeSeparators(QString::fromStdString(path)),
                                         Platform::Icon::None);
        return;
    }
    m_ToolTable = list.tools;
    if (list.leftOut > 0)
        Platform::instance().showMessage(
            owner, caption,
            u"공구 리스트에 공구가 %1개보다 많습니다. 나머지 %2개는 읽지 않았습니다."_s
                .arg(kMaxTools)
                .arg(list.leftOut),
            Platform::Icon::Warning);
}
