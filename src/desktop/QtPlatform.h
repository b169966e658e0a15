#pragma once

#include "Platform.h"

// The desktop as Qt shows it.
class QtPlatform : public Platform
{
public:
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
};
