#include "AboutDlg.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

using namespace Qt::StringLiterals;

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(u"Corvane 정보"_s);
    auto* icon = new QLabel;
    icon->setObjectName(u"iconLabel"_s);
    const QIcon appIcon = QApplication::windowIcon().isNull()
                              ? style()->standardIcon(QStyle::SP_ComputerIcon)
                              : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(32));
    auto* ok = new QPushButton(u"확인"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(new QLabel(u"Version 3.0"_s), 1);
    layout->addWidget(ok, 0, Qt::AlignTop);
}

void CAboutDlg::run(QWidget* parent)
{
    CAboutDlg dialog(parent);
    dialog.exec();
}
