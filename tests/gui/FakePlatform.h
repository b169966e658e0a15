#pragma once

#include "desktop/Platform.h"

#include <QList>

#include <deque>
#include <functional>

// Records what the program asked of the desktop and answers from a script.
class FakePlatform : public Platform
{
public:
    struct Message
    {
        QString caption;
        QString text;
        Icon icon;
        QString details;
    };

    struct StartedProgram
    {
        QString program;
        QString parameter;
    };

    void showMessage(QWidget* parent, const QString& caption, const QString& text, Icon icon,
                     const QString& details = {}) override;
    bool askYesNo(QWidget* parent, const QString& caption, const QString& text) override;
    Answer askSaveChanges(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<SaveFileChoice> getSaveFileName(QWidget* parent,
                                                  const SaveFileRequest& request) override;
    QString getExistingDirectory(QWidget* parent, const QString& title,
                                 const QString& startFolder) override;
    void startProgram(const QString& program, const QString& parameter,
                      std::function<void(bool started)> started) override;
    bool openFolder(const QString& folder) override;
    int runDialog(QDialog& dialog) override;

    // The messages shown so far, each as "caption: text".
    QStringList messageTexts() const;

    // Scripted answers, taken in order; an empty script cancels or answers No.
    std::deque<SaveFileChoice> saveAnswers;
    std::deque<bool> yesNoAnswers;
    std::deque<Answer> saveChangesAnswers; // an empty script cancels
    std::deque<QString> folderAnswers;
    bool programsStart = true;
    // Answers a dialog, which it may look at and change first; without it, dialogs are rejected.
    std::function<int(QDialog&)> dialogAnswer;

    QList<Message> messages;
    QList<Message> questions;
    QList<SaveFileRequest> saveRequests;
    QList<StartedProgram> startedPrograms;
    QStringList openedFolders;
};
