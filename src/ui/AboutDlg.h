#pragma once

#include <QDialog>

// "Corvane 정보": the program's icon and version.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static void run(QWidget* parent);
};
