#pragma once

#include <QDialog>

#include <optional>

class CSettings;
class JobState;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QVBoxLayout;

// "환경 설정 창": table sizes and numbering, the header and footer lines of assembled NC data,
// the controller with its tool list, what follows a conversion, folder clean-up and the Z
// values of discharge machining. OK stores and saves; Cancel stores nothing.
class CConfigDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CConfigDlg(JobState& state, QWidget* parent = nullptr);

    // Runs the dialog; true when it was closed with OK.
    static bool run(JobState& state, QWidget* parent);

    void accept() override;

private:
    // The numbers the dialog takes.
    struct Entered
    {
        float mvrOffset = 0;
        int rows = 0;
        int cols = 0;
        int tables = 0;
        int limit = 0;
        double mvrCentre = 0;
    };
    std::optional<Entered> takeEntered();
    bool retractIsSafe();
    void tellWhenRestartNeeded(const CSettings& settings, const Entered& entered);
    void store(CSettings& settings, const Entered& entered) const;

    QWidget* buildTableGroup();
    void addUnusedGroups(QVBoxLayout* column);
    QWidget* buildConversionGroup();
    QWidget* buildOrderGroup();
    void load();
    void fillToolListCombos();
    void OnFolderDeletionToggled();
    void OnNumberingModeToggled();
    void showSimensChoice();

    JobState& m_state;
    int m_simens = 0; // set by the "일반" and "Simens" buttons
    int m_perStr = 0; // set by the "%" lines check box

    QLineEdit* m_rows;
    QLineEdit* m_cols;
    QLineEdit* m_tables;
    QCheckBox* m_numbering;
    QRadioButton* m_general;
    QRadioButton* m_simensMode;
    QPlainTextEdit* m_firstLine;
    QPlainTextEdit* m_endLine;
    QRadioButton* m_fanuc;
    QRadioButton* m_heidenhain;
    QComboBox* m_fanucToolList;
    QComboBox* m_heidenhainToolList;
    QCheckBox* m_fanucToolChange;
    QCheckBox* m_heidenhainToolChange;
    QCheckBox* m_posCheck;
    QCheckBox* m_openNcData;
    QCheckBox* m_openWindow;
    QLineEdit* m_limit;
    QCheckBox* m_percentLines;
    QCheckBox* m_deleteFolders;
    QCheckBox* m_deleteFinalFolder;
    QRadioButton* m_cellOrder;
    QRadioButton* m_toolOrder;
    QPlainTextEdit* m_retract;
    QLineEdit* m_mvrCentre;
    QLineEdit* m_mvrOffset;
};
