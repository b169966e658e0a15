#include "merge/ConvertCommand.h"
#include "GuiTestEnvironment.h"
#include "core/settings/Settings.h"
#include "merge/BackgroundMerge.h"
#include "merge/MergePreviewDialog.h"
#include "merge/MergeProgressDialog.h"
#include "table/MyTableView.h"
#include "ui/JobPane.h"
#include "ui/MainFrame.h"

#include <QAction>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <atomic>

#include <optional>

using namespace Qt::StringLiterals;

class ConvertCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env.emplace();
        m_frame = std::make_unique<CMainFrame>(m_env->app);
        GetSettings().EXECOMBO = "editor";
        // The machine holds the tool the programs below call.
        m_env->write(u"ToolList.tlist"_s, "1\r\n");
        m_env->app.m_strToolListName = "ToolList.tlist";
        m_env->platform.dialogAnswer = [](QDialog&) {
            return int(QDialog::Accepted);
        };
    }

    void cleanup()
    {
        m_frame.reset();
        m_env.reset();
    }

    void convertsTheJobAndOpensTheEditor()
    {
        addJob(u"a.nc"_s, "%\nO1\nN11\nN12\n");
        addJob(u"b.nc"_s, "O2\n\nN21\nN22\n%\n");
        CSettings& settings = GetSettings();
        settings.OUTPATH = "/start/here";
        settings.DEL_UP = 1;
        settings.DEL_BTM = 1;

        convert(u"merged.txt"_s, 0);

        QCOMPARE(m_env->platform.saveRequests.size(), 1);
        QCOMPARE(m_env->platform.saveRequests[0].folder, u"/start/here"_s);
        // The first filter gives the output the first job file's extension.
        QCOMPARE(readTestFile(m_env->path(u"merged.nc"_s)),
                 QByteArray("%\r\nO1\r\nN11\r\nN21\r\nN22\r\n%\r\n"));
        QCOMPARE(messages(), QStringList{u"Tessaly: 변환이 완료되었습니다."_s});
        QCOMPARE(m_env->platform.startedPrograms.size(), 1);
        QCOMPARE(m_env->platform.startedPrograms[0].program, u"editor"_s);
        QCOMPARE(m_env->platform.startedPrograms[0].parameter, shown(u"merged.nc"_s));

        // The second filter keeps the name as typed.
        convert(u"typed.cnc"_s, 1);
        QCOMPARE(readTestFile(m_env->path(u"typed.cnc"_s)),
                 readTestFile(m_env->path(u"merged.nc"_s)));
    }

    void leftOutFilesAreReportedAndNothingCopiedMeansNoEditor()
    {
        addJob(u"short.nc"_s, "S1\n");
        addJob(u"missing.nc"_s, {});
        addJob(u"good.nc"_s, "G1\nG2\n");
        addJob(u"short2.NC"_s, "\nT1\n");
        GetSettings().DEL_UP = 1;
        // Left-out files are errors of the preview: writing is asked once more.
        m_env->platform.yesNoAnswers = {true};
        convert(u"out.nc"_s, 1);
        QCOMPARE(messages().size(), 3);
        QVERIFY(messages()[0].endsWith(u"보다 많습니다 -  short.nc short2.NC"_s));
        QVERIFY(messages()[1].contains(shown(u"missing.nc"_s)));
        QVERIFY(messages()[1].contains(u"파일이나 폴더가 없습니다."_s));
        QCOMPARE(readTestFile(m_env->path(u"out.nc"_s)), QByteArray("G1\r\nG2\r\n"));
        QCOMPARE(m_env->platform.startedPrograms.size(), 1);

        // Without the one good file nothing is copied: no completion, no editor, and the old
        // output stays.
        m_env->app.m_JobFiles.clear();
        m_env->platform.messages.clear();
        addJob(u"missing.nc"_s, {});
        addJob(u"short.nc"_s, "S1\n");
        m_env->platform.yesNoAnswers = {true};
        convert(u"out.nc"_s, 1);
        QCOMPARE(messages().size(), 2);
        QCOMPARE(readTestFile(m_env->path(u"out.nc"_s)), QByteArray("G1\r\nG2\r\n"));
        QCOMPARE(m_env->platform.startedPrograms.size(), 1);
    }

    // The short-file message of a large job names twenty and counts the rest; all are in its
    // details, and the message stays as short as the screen.
    void aLongListOfLeftOutFilesStaysOnTheScreen()
    {
        for (int i = 1; i <= 25; ++i)
            addJob(u"s%1.nc"_s.arg(i), "S1\n");
        GetSettings().DEL_UP = 1;
        m_env->platform.yesNoAnswers = {true};
        convert(u"out.nc"_s, 1);
        const FakePlatform::Message& message = m_env->platform.messages.at(0);
        QVERIFY(message.text.contains(u" s20.nc … 외 5개"_s));
        QVERIFY(!message.text.contains(u"s21.nc"_s));
        QCOMPARE(message.details.split(u'\n').size(), 25);
    }

    void asksBeforeReplacingAFileTheDialogDidNotConfirm()
    {
        addJob(u"job.nc"_s, "N1\n");
        m_env->write(u"keep.nc"_s, "precious\n");

        m_env->platform.yesNoAnswers = {false};
        convert(u"keep.txt"_s, 0);
        QCOMPARE(m_env->platform.questions.size(), 1);
        QCOMPARE(readTestFile(m_env->path(u"keep.nc"_s)), QByteArray("precious\n"));
        QVERIFY(messages().isEmpty());

        m_env->platform.yesNoAnswers = {true};
        convert(u"keep.txt"_s, 0);
        QCOMPARE(readTestFile(m_env->path(u"keep.nc"_s)), QByteArray("N1\r\n"));

        // The path the dialog itself confirmed is not asked about again.
        convert(u"keep.nc"_s, 0);
        QCOMPARE(m_env->platform.questions.size(), 2);
    }

    void cancelledOrEmptyJobDoesNothing()
    {
        QAction* action = m_frame->findChild<QAction*>(u"actionConvert"_s);
        action->trigger();
        QVERIFY(m_env->platform.saveRequests.isEmpty());

        addJob(u"job.nc"_s, "N1\n");
        GetSettings().OUTFILE = "before";
        GetSettings().OUTPATH.clear();
        GetSettings().FolderPath = "/chosen/output";
        action->trigger();
        QCOMPARE(m_env->platform.saveRequests.size(), 1);
        // A first conversion starts where "Output 경로 설정" pointed.
        QCOMPARE(m_env->platform.saveRequests[0].folder, u"/chosen/output"_s);
        QCOMPARE(GetSettings().OUTFILE, std::string("before"));
        QCOMPARE(QDir(m_env->folder.path()).entryList(QDir::Files),
                 (QStringList{u"job.nc"_s, u"ToolList.tlist"_s}));
    }

    void anEditorThatFailsAndABadCutAreReported()
    {
        addJob(u"job.nc"_s, "N1\n");
        GetSettings().EXECOMBO = "no-such-editor";
        m_env->platform.programsStart = false;
        convert(u"b.nc"_s, 1);
        QCOMPARE(messages().size(), 2);
        QVERIFY(messages()[1].contains(u"no-such-editor"_s));

        // A cut of fewer than no lines, as a settings file may hold, writes nothing.
        GetSettings().DEL_BTM = -3;
        convert(u"c.nc"_s, 1);
        QCOMPARE(messages().size(), 3);
        QVERIFY(messages()[2].contains(u"'Bottom Side delete Lines' 값 -3"_s));
        QVERIFY(!QFile::exists(m_env->path(u"c.nc"_s)));
    }

    // A cut tool change: the preview shows the seam with the cut lines and the finding, and
    // nothing is written unless the operator writes and, with an error, says so twice.
    void thePreviewShowsEveryCutBeforeAnythingIsWritten()
    {
        addJob(u"a.nc"_s, "%\nO1\nT1 M6\nG0 X1\nM30\n%\n");
        addJob(u"b.nc"_s, "%\nO2\nT2 M6\nG0 X2\nM30\n%\n");
        GetSettings().DEL_UP = 3;
        GetSettings().DEL_BTM = 2;
        QString shownText;
        m_env->platform.dialogAnswer = [&](QDialog& dialog) {
            shownText = static_cast<MergePreviewDialog&>(dialog).text();
            // Enter, even on the write button, cancels.
            dialog.show();
            QTest::keyClick(dialog.findChild<QPushButton*>(u"writeButton"_s), Qt::Key_Return);
            return dialog.result();
        };
        convert(u"out.nc"_s, 1);
        QVERIFY(shownText.contains(u"[G54] a.nc → [G54] b.nc"_s));
        QVERIFY(shownText.contains(u"오류 1개"_s));
        QVERIFY(shownText.contains(u"T2 M6   ✂ 잘림   ◀ 오류: 공구 교환이 잘렸습니다"_s));
        QVERIFY(!QFile::exists(m_env->path(u"out.nc"_s)));

        // No at the second question shows the preview again.
        int previews = 0;
        m_env->platform.dialogAnswer = [&previews](QDialog&) {
            return int(++previews == 1 ? QDialog::Accepted : QDialog::Rejected);
        };
        m_env->platform.yesNoAnswers = {false};
        convert(u"out.nc"_s, 1);
        QCOMPARE(previews, 2);
        QVERIFY(!QFile::exists(m_env->path(u"out.nc"_s)));
        m_env->platform.dialogAnswer = [](QDialog&) {
            return int(QDialog::Accepted);
        };
        m_env->platform.yesNoAnswers = {true};
        convert(u"out.nc"_s, 1);
        QCOMPARE(readTestFile(m_env->path(u"out.nc"_s)),
                 QByteArray("%\r\nO1\r\nT1 M6\r\nG54\r\nG0 X1\r\nG54\r\nG0 X2\r\nM30\r\n%\r\n"));
    }

    void anInputChangedSinceThePreviewIsNotWritten()
    {
        addJob(u"a.nc"_s, "G0 X1\n");
        addJob(u"b.nc"_s, "G0 X2\n");
        m_env->platform.dialogAnswer = [this](QDialog&) {
            m_env->write(u"b.nc"_s, "G0 X2\nG0 X3\n");
            return int(QDialog::Accepted);
        };
        convert(u"out.nc"_s, 1);
        QVERIFY(!QFile::exists(m_env->path(u"out.nc"_s)));
        QCOMPARE(messages().size(), 1);
        QVERIFY(messages()[0].contains(u"미리 보기 뒤에 파일이 바뀌어"_s));
        QVERIFY(messages()[0].contains(shown(u"b.nc"_s)));
    }

    // Without findings the operator may skip the preview from then on; "%" lines and the
    // output's folder follow their settings.
    void aCleanMergeMaySkipThePreview()
    {
        addJob(u"a.nc"_s, "G0 X1\n");
        GetSettings().PER_STR = 1;
        GetSettings().Open_Window = 1;
        int previews = 0;
        m_env->platform.dialogAnswer = [&previews](QDialog& dialog) {
            ++previews;
            dialog.findChild<QCheckBox*>(u"skipCleanPreviewCheck"_s)->setChecked(true);
            return int(QDialog::Accepted);
        };
        convert(u"out.nc"_s, 1);
        convert(u"out.nc"_s, 1);
        QCOMPARE(previews, 1);
        QCOMPARE(GetSettings().SkipCleanPreview, 1);
        // Placed at G54, the program selects it before its first move.
        QCOMPARE(readTestFile(m_env->path(u"out.nc"_s)), QByteArray("%\r\nG54\r\nG0 X1\r\n%\r\n"));
        QCOMPARE(m_env->platform.openedFolders,
                 QStringList(2, QDir::toNativeSeparators(m_env->folder.path())));
    }

    // The merge runs beside the window's events: this one waits for an event the window must
    // handle meanwhile. The wait is bounded, so a window that stood still fails, never hangs.
    void theWindowStaysLiveWhileAMergeRuns()
    {
        std::atomic<bool> handled = false;
        QTimer::singleShot(0, m_frame.get(), [&handled] { handled = true; });
        BackgroundMerge worker(m_frame.get());
        QSignalSpy finished(&worker, &BackgroundMerge::finished);
        bool sawEvent = false;
        worker.start([&](const MergeProgress&) {
            QDeadlineTimer deadline(10000);
            while (!handled && !deadline.hasExpired())
                QThread::msleep(1);
            sawEvent = handled;
        });
        QVERIFY(worker.running());
        QVERIFY(finished.wait(20000));
        QVERIFY(sawEvent);
        QVERIFY(!worker.running());
    }

    // Nothing changes the job while Convert runs, from the first moment on: not Delete, not
    // Undo, not a second Convert, not the job pane, not the table.
    void theJobStaysStillWhileConvertRuns()
    {
        addJob(u"a.nc"_s, "G0 X1\n");
        const auto still = [this] {
            const auto enabled = [this](const QString& name) {
                return m_frame->findChild<QAction*>(name)->isEnabled();
            };
            return !enabled(u"actionConvert"_s) && !enabled(u"actionDelete"_s) &&
                   !enabled(u"actionUndo"_s) && !m_frame->jobPane()->isEnabled() &&
                   !g_pCurrentTableView->isEnabled();
        };
        bool stillInPreview = false;
        m_env->platform.dialogAnswer = [&](QDialog&) {
            stillInPreview = still();
            m_frame->findChild<QAction*>(u"actionDelete"_s)->trigger();
            return int(QDialog::Accepted);
        };
        m_env->platform.saveAnswers.push_back({m_env->path(u"out.nc"_s), 1});
        m_frame->findChild<QAction*>(u"actionConvert"_s)->trigger();
        QVERIFY(still());
        waitForConvert();
        QVERIFY(stillInPreview);
        QCOMPARE(m_env->app.m_JobFiles.count(), 1);
        QCOMPARE(readTestFile(m_env->path(u"out.nc"_s)), QByteArray("G54\r\nG0 X1\r\n"));
        QVERIFY(m_frame->findChild<QAction*>(u"actionDelete"_s)->isEnabled());
        QVERIFY(m_frame->jobPane()->isEnabled());
        QVERIFY(g_pCurrentTableView->isEnabled());
    }

    // Closing the window while the plan runs stops it: no preview, no message, nothing written.
    void closingTheWindowCancelsConvert()
    {
        addJob(u"a.nc"_s, "G0 X1\n");
        int previews = 0;
        m_env->platform.dialogAnswer = [&previews](QDialog&) {
            ++previews;
            return int(QDialog::Accepted);
        };
        m_env->platform.saveAnswers.push_back({m_env->path(u"out.nc"_s), 1});
        m_frame->findChild<QAction*>(u"actionConvert"_s)->trigger();
        QVERIFY(command()->running());
        m_frame->close();
        QVERIFY(!command()->running());
        QCoreApplication::processEvents();
        QCOMPARE(previews, 0);
        QVERIFY(messages().isEmpty());
        QVERIFY(!QFile::exists(m_env->path(u"out.nc"_s)));
    }

    void aLongMergeShowsProgressThatCancels()
    {
        MergeProgressDialog progress(m_frame.get());
        QVERIFY(progress.update(1, 1000));
        QVERIFY(!progress.isVisible());
        // A merge that has come a tenth of the way shows its progress soon.
        QTRY_VERIFY(progress.update(100, 1000) && progress.isVisible());
        progress.cancel();
        QVERIFY(!progress.update(200, 1000));
    }

    // Each program runs at its cell's offset: the preview shows the changes cell by cell
    // before anything is written; with coordinate conversion off nothing changes, and a
    // program selecting another offset than its cell's is warned of.
    void eachProgramIsPlacedAtItsCell()
    {
        addJob(u"a.nc"_s, "G90 G54\nG0 X1\n");
        addJob(u"b.nc"_s, "G0 X2\n", 7);
        addJob(u"c.nc"_s, "G90 G54 G0 X3\n", 1);
        QString shownText;
        capturePreview(shownText);
        convert(u"out.nc"_s, 1);
        QCOMPARE(readTestFile(m_env->path(u"out.nc"_s)),
                 QByteArray("G90 G54\r\nG0 X1\r\nG90 G55 G0 X3\r\nG54.1P2\r\nG0 X2\r\n"));
        QVERIFY(shownText.contains(u"G55: 프로그램 1개, 바뀐 줄 1개"_s));
        QVERIFY(shownText.contains(u"G54.1P2   ＋ 추가됨"_s));
        QVERIFY(shownText.contains(u"[G55] c.nc → [G54.1P2] b.nc"_s));

        GetSettings().PosCheck = 0;
        convert(u"off.nc"_s, 1);
        QCOMPARE(readTestFile(m_env->path(u"off.nc"_s)),
                 QByteArray("G90 G54\r\nG0 X1\r\nG90 G54 G0 X3\r\nG0 X2\r\n"));
        QVERIFY(shownText.contains(u"셀과 다른 공작물 좌표계"_s));
        QVERIFY(shownText.contains(u"([G55] %1:1)"_s.arg(shown(u"c.nc"_s))));
    }

    // One program in three cells: each seam shows the offset its own cell gets.
    void oneProgramInSeveralCellsShowsEachCellsOffset()
    {
        for (int cell : {0, 1, 2})
            addJob(u"a.nc"_s, "G90 G54\nG0 X1\n", cell);
        QString shownText;
        capturePreview(shownText);
        convert(u"out.nc"_s, 1);
        QCOMPARE(readTestFile(m_env->path(u"out.nc"_s)),
                 QByteArray("G90 G54\r\nG0 X1\r\nG90 G55\r\nG0 X1\r\nG90 G56\r\nG0 X1\r\n"));
        QVERIFY2(shownText.contains(u"[G54] a.nc → [G55] a.nc\n"
                                    u"     1  G90 G54\n     2  G0 X1\n─────\n"
                                    u"     1  G90 G54\n     1  G90 G55   ＋ 좌표계 바뀜\n"_s),
                 qPrintable(shownText));
        QVERIFY2(shownText.contains(u"[G55] a.nc → [G56] a.nc\n"
                                    u"     1  G90 G54\n     1  G90 G55   ＋ 좌표계 바뀜\n"_s),
                 qPrintable(shownText));
    }

    // The tools are checked against the machine's list: the preview shows what the list's
    // speeds change and a sheet of the tools, which it saves as CSV; off, speeds stay.
    void toolsMeetTheMachinesList()
    {
        m_env->write(u"ToolList.tlist"_s, "T1,평엔드밀 10,0,0,M08,1000,200\r\n");
        m_env->app.m_nMachineFamily = 0;
        addJob(u"a.nc"_s, "G21\nT1 M6\nS800 M3\nG54 G1 X1 F100\nT2 M6\nM30\n");
        QString shownText;
        m_env->platform.dialogAnswer = [&](QDialog& dialog) {
            auto& preview = static_cast<MergePreviewDialog&>(dialog);
            shownText = preview.text();
            m_env->platform.saveAnswers.push_back({m_env->path(u"tools.csv"_s), 0});
            preview.findChild<QPushButton*>(u"saveToolSheetButton"_s)->click();
            return int(QDialog::Accepted);
        };
        m_env->platform.yesNoAnswers = {true, true}; // written despite the missing tool
        convert(u"out.nc"_s, 1);
        QCOMPARE(readTestFile(m_env->path(u"out.nc"_s)),
                 QByteArray("G21\r\nT1 M6\r\nS1000 M3\r\nG54 G1 X1 F200\r\nT2 M6\r\nM30\r\n"));
        QVERIFY(shownText.contains(u"Feed/Spindle 변경: 공구 리스트의 값으로 바꾼 줄 2개"_s));
        // The confirmation names the kind of its errors.
        QVERIFY(std::any_of(m_env->platform.questions.begin(), m_env->platform.questions.end(),
                            [](const auto& question) {
                                return question.text ==
                                       u"오류가 있습니다: 공구에 1개. 그래도 쓰시겠습니까?"_s;
                            }));
        QVERIFY(shownText.contains(
            u"오류: 기계의 공구 리스트에 없는 공구입니다 (T2) ([G54] %1:5)"_s.arg(
                shown(u"a.nc"_s))));
        const QByteArray csv = readTestFile(m_env->path(u"tools.csv"_s));
        QVERIFY2(csv.startsWith("\xEF\xBB\xBF"
                                "공구 번호,공구 정보,셀,S 프로그램,S 리스트,F 프로그램,F 리스트,"
                                "검사 결과\r\n"
                                "1,평엔드밀 10,G54,800,1000,100,200,\r\n"
                                "2,,G54,,,,,오류: 기계의 공구 리스트에 없는 공구입니다 (T2)\r\n"),
                 csv.constData());

        GetSettings().FANUCToolChange = 0;
        convert(u"kept.nc"_s, 1);
        QCOMPARE(readTestFile(m_env->path(u"kept.nc"_s)),
                 QByteArray("G21\r\nT1 M6\r\nS800 M3\r\nG54 G1 X1 F100\r\nT2 M6\r\nM30\r\n"));
    }

    // A plate of two programs run tool by tool: one tool change per tool, each segment that
    // does not follow its own program restarted, the runs in the preview; a Heidenhain job keeps
    // its order and the preview says so.
    void aPlateRunsToolByTool()
    {
        GetSettings().MergeOrder = 1;
        GetSettings().DEL_BTM = 1;
        m_env->write(u"ToolList.tlist"_s, "T1\r\nT2\r\n");
        const QByteArray program("T1 M6\nG54 G0 X0 Y0 S1000 M3\nG1 X5 F100\nT2 M6\n"
                                 "G0 X1 Y1 S2000 M3\nG1 Y5\nM30\n");
        addJob(u"a.nc"_s, program);
        addJob(u"b.nc"_s, program, 1);
        QString shownText;
        capturePreview(shownText);
        convert(u"out.nc"_s, 1);
        const QByteArray restartAtG55("G91 G28 Z0.\r\nG90\r\nG17 G40 G80 G90 G94\r\nG55\r\n");
        QCOMPARE(readTestFile(m_env->path(u"out.nc"_s)),
                 "T1 M6\r\nG54 G0 X0 Y0 S1000 M3\r\nG1 X5 F100\r\n" + restartAtG55 +
                     "S1000 M03\r\nM09\r\nG55 G0 X0 Y0 S1000 M3\r\nG1 X5 F100\r\n"
                     "G91 G28 Z0.\r\nG90\r\nG17 G40 G80 G90 G94\r\nG54\r\nT2 M6\r\n"
                     "S2000 M03\r\nM09\r\nF100\r\nG0 X1 Y1 S2000 M3\r\nG1 Y5\r\n" +
                     restartAtG55 +
                     "S2000 M03\r\nM09\r\nF100\r\nG0 X1 Y1 S2000 M3\r\nG1 Y5\r\nM30\r\n");
        QVERIFY2(
            shownText.contains(u"공구 순서: 공구 교환 4회 → 2회 (최소 2회), 재시작 블록 3개"_s),
            qPrintable(shownText));
        // Each segment at its cell, and the lines of each restart block as they are written.
        QVERIFY2(shownText.contains(
                     u"T2\nG54 G55\nG54 a.nc:4 (재시작)\n  G91 G28 Z0.\n  G90\n"
                     u"  G17 G40 G80 G90 G94\n  G54\n  T2 M6\n  S2000 M03\n  M09\n  F100\n"
                     u"G55 b.nc:4 (재시작)\n"_s),
                 qPrintable(shownText));

        m_env->app.m_JobFiles.clear();
        m_env->app.m_nMachineFamily = 1;
        addJob(u"c.h"_s, "0 BEGIN PGM C MM\n1 TOOL CALL 1 Z S1000\n2 L X0 FMAX\n3 END PGM C MM\n");
        convert(u"heidenhain.h"_s, 1);
        QVERIFY(shownText.contains(u"하이덴하인 프로그램은 셀 순서로 변환합니다"_s));
    }

private:
    // Accepts each preview, its text in shownText.
    void capturePreview(QString& shownText)
    {
        m_env->platform.dialogAnswer = [&shownText](QDialog& dialog) {
            shownText = static_cast<MergePreviewDialog&>(dialog).text();
            return int(QDialog::Accepted);
        };
    }

    QString shown(const QString& name) const { return QDir::toNativeSeparators(m_env->path(name)); }
    // Adds a job file; null bytes leave the file missing.
    void addJob(const QString& name, const QByteArray& bytes, int cell = 0)
    {
        if (!bytes.isNull())
            m_env->write(name, bytes);
        m_env->app.m_JobFiles.RegisterJobFile(m_env->path(name).toStdString(), cell);
    }

    ConvertCommand* command() const { return m_frame->findChild<ConvertCommand*>(); }

    void waitForConvert() { QTRY_VERIFY_WITH_TIMEOUT(!command()->running(), 20000); }

    void convert(const QString& chosen, int filterIndex)
    {
        m_env->platform.saveAnswers.push_back({m_env->path(chosen), filterIndex});
        m_frame->findChild<QAction*>(u"actionConvert"_s)->trigger();
        waitForConvert();
    }

    QStringList messages() const { return m_env->platform.messageTexts(); }

    std::optional<GuiTestEnvironment> m_env;
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(ConvertCommandTest)
#include "ConvertCommandTest.moc"
