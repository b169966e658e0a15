#pragma once

#include "ToolReportModel.h"
#include "ToolSortModel.h"

#include <QDialog>

class JobState;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QTableView;

// "공구 설정": picks a tool list of the program folder, shows its tools for editing in place,
// adds and deletes tools, and saves the list under its name or a new one.
class CDlgToolConfig : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgToolConfig(JobState& state, QWidget* parent = nullptr);

    // Runs the dialog until it is closed; unsaved changes are asked about first.
    static void run(JobState& state, QWidget* parent);

    void OnAdd();
    void OnDelete();
    void OnSave();
    void OnSaveAs();
    void OnSelectList(int index);
    void reject() override;

private:
    void setUpReport();
    void buildLayout();
    QHBoxLayout* buttonRow();
    bool loadToolList();
    bool mayWrite(const std::vector<ToolEntry>& tools);
    std::string listName(int index) const;
    void refill();
    bool saveList();
    void saveCopy(const std::string& path);
    bool settleUnsavedChanges();

    JobState& m_state;
    ToolReportModel m_model;
    ToolSortModel m_sorted;
    std::string m_listFile = "ToolList.tlist"; // as the file system names it
    int m_toolsLeftOut = 0;   // tools of the list past those loaded: saving would lose them
    std::string m_unreadList; // a list that failed to load: the table is not its tools
    bool m_unsaved = false;

    QComboBox* m_listCombo;
    QTableView* m_report;
    QLineEdit* m_toolNumber;
    QLineEdit* m_diameter;
    QLineEdit* m_radius;
    QLineEdit* m_minTolerance;
    QLineEdit* m_maxTolerance;
    QComboBox* m_coolant;
    QLineEdit* m_spindle;
    QLineEdit* m_feed;
    QLineEdit* m_dwellTime;
    QComboBox* m_measured;
    QLineEdit* m_dl;
};
