#include "FakePlatform.h"

void FakePlatform::showMessage(QWidget*, const QString& caption, const QString& text, Icon icon,
                               const QString& details)
{
    messages.append({caption, text, icon, details});
}

bool FakePlatform::askYesNo(QWidget*, const QString& caption, const QString& text)
{
    questions.append({caption, text, Icon::None, {}});
    if (yesNoAnswers.empty())
        return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

Platform::Answer FakePlatform::askSaveChanges(QWidget*, const QString& caption, const QString& text)
{
    questions.append({caption, text, Icon::None, {}});
    if (saveChangesAnswers.empty())
        return Answer::Cancel;
    const Answer answer = saveChangesAnswers.front();
    saveChangesAnswers.pop_front();
    return answer;
}

std::optional<Platform::SaveFileChoice>
FakePlatform::getSaveFileName(QWidget*, const SaveFileRequest& request)
{
    saveRequests.append(request);
    if (saveAnswers.empty())
        return std::nullopt;
    const SaveFileChoice answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
}

QString FakePlatform::getExistingDirectory(QWidget*, const QString&, const QString&)
{
    if (folderAnswers.empty())
        return {};
    const QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

void FakePlatform::startProgram(const QString& program, const QString& parameter,
                                std::function<void(bool started)> started)
{
    startedPrograms.append({program, parameter});
    started(programsStart);
}

bool FakePlatform::openFolder(const QString& folder)
{
    openedFolders.append(folder);
    return true;
}

int FakePlatform::runDialog(QDialog& dialog)
{
    return dialogAnswer ? dialogAnswer(dialog) : 0;
}

QStringList FakePlatform::messageTexts() const
{
    QStringList texts;
    for (const Message& message : messages)
        texts.append(message.caption + QStringLiteral(": ") + message.text);
    return texts;
}
