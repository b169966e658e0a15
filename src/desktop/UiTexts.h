#pragma once

#include <QString>

// The texts that Corvane added to those of the original program, in one place so that a
// translation can follow.
namespace UiTexts {

// The field checks of every dialog.
QString enterInteger();
QString enterIntegerBetween(int minimum, int maximum);
QString enterNumber();

// A lines-to-cut setting that the merge refuses; setting is its key ("DEL_UP", "DEL_BTM").
QString badTrimCount(const QString& setting, const QString& value);
// An input that changed while it was merged.
QString inputChanged();
// An input that changed between the preview and the writing.
QString inputChangedSincePreview();

// The settings could not be written to their store.
QString settingsNotStored();
// The settings file is no regular file: the defaults hold and nothing is stored.
QString settingsStoreUnusable(const QString& file);

// The rest of a list that a message does not name.
QString andMore(int count);
QString cancelled();

// The merge preview.
QString previewTitle();
QString previewSummary(int files, int seams, int errors, int warnings, int shortFiles,
                       int unreadableFiles);
QString seamHeading(const QString& before, const QString& after);
QString findingsHeading();
QString noFindings();
QString cutMark();
QString addedMark();
QString linesNotShown(int lines);
QString outputStart();
QString outputEnd();
QString controlByteAt(int byte, quint64 offset);
QString error();
QString warning();
// The reason of a seam rule, by the rule's position in the core's table.
QString seamRuleReason(int rule);
QString writeButton();
QString cancelButton();
QString skipCleanPreview();
QString confirmWritingWithErrors(int errors);

// Files dropped that the job already holds.
QString addedAgain(const QStringList& names);
// The last edit of the job was undone.
QString jobEditUndone();

QString undoJobEdit();

// The job pane.
QString jobPaneTitle();
QString moveUp();
QString moveDown();
QString takeOut();

// The tool settings dialog.
QString toolsWouldBeLost(int tools);
QString unreadListNotOverwritten(const QString& list);
QString valueNotInCodePage(int tool, const QString& value);
QString toolNumberTaken(const QString& number);
QString toolNumberRepeated(const QString& number);
QString notANumber(int tool, const QString& value, const QString& text);
QString unsavedToolChanges(const QString& list);

} // namespace UiTexts
