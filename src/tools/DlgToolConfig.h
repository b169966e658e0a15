#pragma once

#include "ToolReportModel.h"

#include <QDialog>
#include <QSortFilterProxyModel>

class JobState;
class QComboBox;
class QLineEdit;
class QTableView;

// "공구 설정": picks a tool list of the program folder, shows its tools for editing in place,
// adds and deletes tools, and saves the list under its name or a new one.
class CDlgToolConfig : public QDialog
{
    Q_OBJECT

public:
    explicit CDlgToolConfig(JobState& state, QWidget* parent = nullptr);

    // Runs the dialog until it is closed; what was not saved is dropped.
    static void run(JobState& state, QWidget* parent);

    void OnAdd();
    void OnDelete();
    void OnSave();
    void OnSaveAs();
    void OnSelectList(int index);

private:
    void buildLayout();
    void loadToolList();
    void refill();
    bool saveList();

    JobState& m_state;
    ToolReportModel m_model;
    QSortFilterProxyModel m_sorted;
    QString m_strListFile = QStringLiteral("ToolList.tlist");

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
