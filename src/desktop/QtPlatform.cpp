#include "QtPlatform.h"

#include "os/ProgramStart.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
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

void QtPlatform::startProgram(const QString& program, const QString& parameter,
                              std::function<void(bool started)> started)
{
    // A bare name is looked for on the path, then beside the program, where its helpers live.
    QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(program, {QCoreApplication::applicationDirPath()});
    startProgramDetached(found.isEmpty() ? program : found, parameter, std::move(started));
}

bool QtPlatform::openFolder(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

int QtPlatform::runDialog(QDialog& dialog)
{
    return dialog.exec();
}
