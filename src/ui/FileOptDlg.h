#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// "Tessaly Option": cell text size, lines the merge cuts, file list extensions, editor, logo
// opacity and whether a merge without findings skips its preview. OK changes the settings record
// and stores it at once.
class CFileOptDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CFileOptDlg(QWidget* parent = nullptr);

    // Runs the dialog; true when it was closed with OK.
    static bool run(QWidget* parent);

    void accept() override;

private:
    QLineEdit* m_textSize;
    QLineEdit* m_deleteTop;
    QLineEdit* m_deleteBottom;
    QLineEdit* m_extensions;
    QLineEdit* m_editor;
    QLineEdit* m_logoAlpha;
    QCheckBox* m_skipCleanPreview;
};
