#pragma once

#include "core/job/JobState.h"
#include "ui/WindowMemory.h"

#include <memory>

class CMainFrame;

// The running program: the shared job state, and the main window that start-up shows.
class CQuorApp : public JobState
{
public:
    CQuorApp();
    ~CQuorApp();

    CQuorApp(const CQuorApp&) = delete;
    CQuorApp& operator=(const CQuorApp&) = delete;

    // Start-up: records the program folder, brings the stored settings up to date and shows the
    // main window as an earlier run left it. False ends the program.
    bool InitInstance(const WindowMemory& window = {});

    CMainFrame* mainFrame() const { return m_pMainWnd.get(); }

private:
    std::unique_ptr<CMainFrame> m_pMainWnd;
};
