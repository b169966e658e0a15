#include "AboutDlg.h"

#include "desktop/AppIdentity.h"

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

    auto* text = new QHBoxLayout;
    text->addWidget(icon, 0, Qt::AlignTop);
    text->addWidget(new QLabel(u"Version %1"_s.arg(AppIdentity::version())), 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(text);
    layout->addLayout(buttons);
    // Wide enough that a window manager's title bar shows the whole caption beside its buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) * 2 + 160);
}

void CAboutDlg::run(QWidget* parent)
{
    CAboutDlg dialog(parent);
    dialog.exec();
}
