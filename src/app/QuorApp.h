#pragma once

#include "JobList.h"
#include "QuorDoc.h"
#include "ToolEntry.h"

#include <QStringList>

#include <memory>
#include <string>

class CMainFrame;

class QWidget;

// The running program's shared state: the job of dropped NC files, the machine family it fixes,
// and the current tool list. Nothing of it is saved.
class CQuorApp
{
public:
    CQuorApp();
    ~CQuorApp();

    CQuorApp(const CQuorApp&) = delete;
    CQuorApp& operator=(const CQuorApp&) = delete;

    // The running application object, or nullptr.
    static CQuorApp* instance();

    // Start-up: records the program folder, brings the stored settings up to date and shows the
    // main window. False ends the program.
    bool InitInstance();

    // Reads the current tool list from the program folder into the tool table; says so, over
    // owner, when it cannot, leaving the table as it was.
    void LoadToolList(QWidget* owner);
    std::string toolListPath(const std::string& name) const;
    // The tool list files of the program folder, by name.
    QStringList toolListFiles() const;

    CMainFrame* mainFrame() const { return m_pMainWnd.get(); }
    CQuorDoc& document() { return m_document; }

    std::string m_strExeFolder;         // folder of the executable, without a trailing separator
    std::string m_strToolListName;      // current tool list file, relative to m_strExeFolder
    std::vector<ToolEntry> m_ToolTable; // the current list's tools, at most kMaxTools
    JobList m_JobFiles;
    int m_nMachineFamily = -1; // -1 none yet, 0 FANUC, 1 Heidenhain or any other

    static constexpr int kMaxTools = 500;

private:
    CQuorDoc m_document;
    std::unique_ptr<CMainFrame> m_pMainWnd;
};
