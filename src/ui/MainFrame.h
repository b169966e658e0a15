#pragma once

#include "WindowMemory.h"
#include "core/job/JobHistory.h"

#include <QMainWindow>

class JobState;
class CQuorView;
class JobPane;
class ConvertCommand;
class NcFileListCtrl;
class QDockWidget;
class QMenu;
class RibbonBar;
class ShellTreeCtrl;

// The main window: the ribbon, the work-offset table, the folder and NC file list panes and
// the status bar. It wires each command to the class that does the work.
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    explicit CMainFrame(JobState& state, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CQuorView* view() const { return m_view; }
    RibbonBar* ribbon() const { return m_ribbon; }
    ShellTreeCtrl* shellTree() const { return m_wndShellTree; }
    NcFileListCtrl* shellList() const { return m_wndShellList; }
    JobPane* jobPane() const { return m_wndJob; }

    // Where the window stands, its layout and folder, as the next run should find them.
    WindowMemory remembered() const;
    // Applies what an earlier run remembered; what it lacks stays as built.
    void restore(const WindowMemory& memory);

    void OnDeleteCell();
    // Undoes the last edit of the job: a drop, a delete, a move or a file taken out.
    void undoJobEdit();
    // Takes every program out of the job, in every cell.
    void clearTable();
    void OnSetFolderPath();
    void OnSetOutputPath();

protected:
    // Closing stops a running Convert: nothing is written after the window went.
    void closeEvent(QCloseEvent* event) override;

private:
    // While Convert runs, nothing changes the job it merges.
    void keepJobStill(bool still);
    QAction* addCommand(const QString& name, const QString& text, const QIcon& icon = {});
    void setShortcut(QAction* action, const QKeySequence& keys);
    void createStatusBar();
    void createPanes();
    void createRibbon();
    void createApplicationMenu(QMenu* menu);

    JobState& m_state;
    // The five option flags, kept as 0 or 1 and written back when the window goes.
    int m_bAxisCheck = 0;
    int m_bToolCheck = 0;
    int m_bToolAssyCheck = 0;
    int m_bExcelCheck = 0;
    int m_bToolAssyType = 0;

    CQuorView* m_view;
    ConvertCommand* m_convert;
    RibbonBar* m_ribbon = nullptr;
    QDockWidget* m_folderPane = nullptr;
    QDockWidget* m_fileListPane = nullptr;
    QDockWidget* m_jobPane = nullptr;
    ShellTreeCtrl* m_wndShellTree = nullptr;
    NcFileListCtrl* m_wndShellList = nullptr;
    JobPane* m_wndJob = nullptr;
    QString m_folder; // shown in the folder pane
    JobHistory m_jobHistory;
};
