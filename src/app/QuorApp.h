#pragma once

#include "JobList.h"
#include "QuorDoc.h"

#include <memory>
#include <string>

class CMainFrame;

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

    CMainFrame* mainFrame() const { return m_pMainWnd.get(); }
    CQuorDoc& document() { return m_document; }

    std::string m_strExeFolder;    // folder of the executable, without a trailing separator
    std::string m_strToolListName; // current tool list file, relative to m_strExeFolder
    JobList m_JobFiles;
    int m_nMachineFamily = -1; // -1 none yet, 0 FANUC, 1 Heidenhain or any other

private:
    CQuorDoc m_document;
    std::unique_ptr<CMainFrame> m_pMainWnd;
};
