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
    setWindowTitle(tr("Corvane 정보"));
    auto* icon = new QLabel;
    icon->setObjectName(u"iconLabel"_s);
    const QIcon appIcon = QApplication::windowIcon().isNull()
                              ? style()->standardIcon(QStyle::SP_ComputerIcon)
                              : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(32));
    auto* ok = new QPushButton(tr("확인"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QHBoxLayout;
    text->addWidget(icon, 0, Qt::AlignTop);
    text->addWidget(new QLabel(tr("Version %1").arg(AppIdentity::version())), 1);
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
