#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

// Every modal question and every effect outside the program goes through here, so that tests
// can install a fake that records what was asked and answers from a script.
class Platform
{
public:
    enum class Icon
    {
        None,
        Information,
        Warning,
        Critical,
    };

    enum class Answer
    {
        Save,
        Discard,
        Cancel,
    };

    struct SaveFileRequest
    {
        QString folder;
        QStringList filters;
        QString defaultSuffix;        // added to a name typed without one
        bool confirmOverwrite = true; // ask before an existing file is chosen
    };

    struct SaveFileChoice
    {
        QString path;
        int filterIndex = 0;
    };

    virtual ~Platform() = default;

    // A message box with an OK button; details, when given, are shown on request.
    virtual void showMessage(QWidget* parent, const QString& caption, const QString& text,
                             Icon icon, const QString& details = {}) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Whether to save changes before they would be lost: save, discard, or cancel.
    virtual Answer askSaveChanges(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A save-file dialog; nothing when cancelled.
    virtual std::optional<SaveFileChoice> getSaveFileName(QWidget* parent,
                                                          const SaveFileRequest& request) = 0;
    // A folder browser; an empty text when cancelled.
    virtual QString getExistingDirectory(QWidget* parent, const QString& title,
                                         const QString& startFolder) = 0;
    // Starts program with one parameter, detached, and returns at once; started learns later
    // whether it could be started.
    virtual void startProgram(const QString& program, const QString& parameter,
                              std::function<void(bool started)> started) = 0;
    // Opens a folder in the desktop's file manager; false when nothing could open it.
    virtual bool openFolder(const QString& folder) = 0;
    // Runs a dialog of the program modally and returns its result (QDialog::Accepted or not).
    virtual int runDialog(QDialog& dialog) = 0;

    static Platform& instance();
    static void install(Platform* platform);
};
