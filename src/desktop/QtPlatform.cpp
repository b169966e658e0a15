#include "QtPlatform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QMessageBox::Icon messageIcon(Platform::Icon icon)
{
    switch (icon) {
    case Platform::Icon::Information:
        return QMessageBox::Information;
    case Platform::Icon::Warning:
        return QMessageBox::Warning;
    case Platform::Icon::Critical:
        return QMessageBox::Critical;
    case Platform::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtPlatform::showMessage(QWidget* parent, const QString& caption, const QString& text,
                             Icon icon, const QString& details)
{
    QMessageBox box(messageIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.setDetailedText(details);
    box.exec();
}

bool QtPlatform::askYesNo(QWidget* parent, const QString& caption, const QString& text)
{
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

Platform::Answer QtPlatform::askSaveChanges(QWidget* parent, const QString& caption,
                                            const QString& text)
{
    switch (QMessageBox::question(parent, caption, text,
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                  QMessageBox::Save)) {
    case QMessageBox::Save:
        return Answer::Save;
    case QMessageBox::Discard:
        return Answer::Discard;
    default:
        return Answer::Cancel;
    }
}

std::optional<Platform::SaveFileChoice> QtPlatform::getSaveFileName(QWidget* parent,
                                                                    const SaveFileRequest& request)
{
    QFileDialog dialog(parent, QString(), request.folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return SaveFileChoice{dialog.selectedFiles().constFirst(),
                          static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter()))};
}

QString QtPlatform::getExistingDirectory(QWidget* parent, const QString& title,
                                         const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, startFolder);
}

bool QtPlatform::startProgram(const QString& program, const QString& parameter)
{
    // A bare name is looked for on the path, then beside the program, where its helpers live.
    QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(program, {QCoreApplication::applicationDirPath()});
    const QString executable = found.isEmpty() ? program : found;
#ifdef Q_OS_WIN
    return QProcess::startDetached(executable, {parameter});
#else
    // Through a shell that waits a moment: a program that ends at once with an error, as a
    // desktop opener that finds nothing to open with does, counts as one that did not start.
    QProcess shell;
    shell.start(u"/bin/sh"_s, {u"-c"_s,
                               u"\"$0\" \"$1\" </dev/null >/dev/null 2>&1 & pid=$!; sleep 0.5; "
                               "kill -0 $pid 2>/dev/null && exit 0; wait $pid"_s,
                               executable, parameter});
    return shell.waitForFinished(10000) && shell.exitStatus() == QProcess::NormalExit &&
           shell.exitCode() == 0;
#endif
}

bool QtPlatform::openFolder(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

int QtPlatform::runDialog(QDialog& dialog)
{
    return dialog.exec();
}
