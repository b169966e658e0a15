#pragma once

#include "core/plate/ToolOrder.h"

#include "core/merge/SeamCheck.h"
#include "core/os/FileError.h"

#include <QCoreApplication>
#include <QString>

#include <system_error>

// The texts that Corvane added to those of the original program, in one place; each goes
// through tr(), so that a translation can follow.
class UiTexts
{
    Q_DECLARE_TR_FUNCTIONS(UiTexts)

public:
    // The field checks of every dialog.
    static QString enterInteger();
    static QString enterIntegerBetween(int minimum, int maximum);
    static QString enterNumber();

    // A lines-to-cut setting that the merge refuses; setting is its key ("DEL_UP", "DEL_BTM").
    static QString badTrimCount(const QString& setting, const QString& value);
    // An input that changed while it was merged.
    static QString inputChanged();
    // An input that changed between the preview and the writing.
    static QString inputChangedSincePreview();

    // The settings could not be written to their store.
    static QString settingsNotStored();
    // The settings file is no regular file: the defaults hold and nothing is stored.
    static QString settingsStoreUnusable(const QString& file);

    // The rest of a list that a message does not name.
    static QString andMore(int count);
    static QString cancelled();

    // The merge preview.
    static QString previewTitle();
    static QString previewSummary(int files, int seams, int errors, int warnings, int shortFiles,
                                  int unreadableFiles);
    static QString seamHeading(const QString& before, const QString& after);
    static QString findingsHeading();
    static QString noFindings();
    static QString cutMark();
    static QString addedMark();
    static QString rewrittenMark();
    static QString speedChangedMark();
    static QString placementHeading(bool rewrite);
    static QString cellHeading(const QString& offset, int programs, int changes);
    static QString noPlacementChange();
    static QString linesNotShown(int lines);
    static QString outputStart();
    static QString outputEnd();
    static QString controlByteAt(int byte, quint64 offset);
    static QString error();
    static QString warning();
    // Why a file could not be used.
    static QString fileError(const FileError& error);
    // An error of the system: the common ones in the window's language, the rest as it words them.
    static QString systemError(const std::error_code& code);
    // What a finding of a seam rule means.
    static QString seamRuleReason(SeamRule rule);
    static QString writeButton();
    static QString cancelButton();
    static QString skipCleanPreview();
    // The errors by kind: of the seams, of the tools and their list, of the order by tool.
    static QString confirmWritingWithErrors(int seams, int tools, int order);
    // The tools of the preview: the changes the tool list made and the sheet of tools.
    static QString speedChangeHeading(int changes);
    static QString toolSheetHeading(const QString& list);
    static QString noToolChange();
    static QStringList toolSheetColumns();
    static QString saveToolSheetButton();
    static QString toolSheetFilter();
    static QString toolSheetNotSaved(const QString& file);

    // Files dropped that the job already holds.
    static QString addedAgain(const QStringList& names);
    // The last edit of the job was undone.
    static QString jobEditUndone();

    static QString undoJobEdit();

    // Order by tool: the settings dialog's choice and the preview's runs.
    static QString mergeOrderGroup();
    static QString cellOrder();
    static QString toolOrder();
    static QString retractLabel();
    static QString retractTip();
    static QString unsafeRetract(const QString& line);
    // The tool changes in the given order, ordered, and the fewest any order of the cells'
    // segments could have.
    static QString toolRunsHeading(qint64 changesBefore, qint64 changesAfter, qint64 least,
                                   qint64 restarts);
    static QStringList toolRunColumns();
    static QString restartedMark();
    static QString orderKeptGivenHeading();
    static QString orderKeptGiven(JobOrder::Given given);

    // The settings dialog, beside a setting this version keeps but does not act on.
    static QString settingNotUsed();
    static QString settingNotUsedTip();

    // The work-offset table.
    static QString noWorkOffset();
    static QString cellWithoutWorkOffset(int cellNumber);
    static QString otherFamilyNotAdded(int files);
    static QString clearTable();
    static QString tableTab(int number);

    // The job pane.
    static QString jobPaneTitle();
    static QString moveUp();
    static QString moveDown();
    static QString takeOut();

    // The tool settings dialog.
    static QString toolsWouldBeLost(int tools);
    static QString unreadListNotOverwritten(const QString& list);
    static QString valueNotInCodePage(int tool, const QString& value);
    static QString toolNumberTaken(const QString& number);
    static QString toolNumberRepeated(const QString& number);
    static QString notANumber(int tool, const QString& value, const QString& text);
    static QString unsavedToolChanges(const QString& list);
};
