#include "GuiTestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <filesystem>

using namespace Qt::StringLiterals;

// corvane-merge as a script runs it: arguments in; files, standard error and exit status out.
class CorvaneMergeTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
    }

    void mergesAndNamesWhatItLeftOut()
    {
        const QString a = write(u"a.nc"_s, "%\nO1\nA1\nM30\n%\n");
        const QString b = write(u"b.nc"_s, "%\nO2\n\nB1\nM30\n%\n");
        const QString shortFile = write(u"short.nc"_s, "N1\n");
        const QString missing = path(u"missing.nc"_s);
        const QString out = path(u"merged.program"_s);
        QString errors;
        const QStringList arguments = {u"--top"_s, u"2"_s,    u"--bottom=2"_s, u"-o"_s, out,
                                       a,          shortFile, missing,         b};
        // Inputs left out are errors: written only when forced.
        QCOMPARE(run(QStringList{u"--force"_s} + arguments, &errors), 0);
        QCOMPARE(read(u"merged.program"_s), QByteArray("%\r\nO1\r\nA1\r\nB1\r\nM30\r\n%\r\n"));
        const QStringList lines = errors.trimmed().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].contains(shortFile));
        QVERIFY(lines[1].contains(missing));

        // Nothing copied: the output is left as it was.
        write(u"out.nc"_s, "old\n");
        QCOMPARE(run({u"--force"_s, u"--bottom"_s, u"1"_s, u"-o"_s, path(u"out.nc"_s), shortFile}),
                 1);
        QCOMPARE(read(u"out.nc"_s), QByteArray("old\n"));
    }

    // Standard output takes the merge's bytes as they are; names are bytes: a name in code page
    // 949 is the name the file system holds, in and out.
    void namesInAnyEncodingAndStandardOutput()
    {
        write(u"in.nc"_s, "N1\nN2");
        QProcess toPipe;
        toPipe.start(QStringLiteral(CORVANE_MERGE_PATH), {u"-o"_s, u"-"_s, path(u"in.nc"_s)});
        QVERIFY(toPipe.waitForFinished(30000));
        QCOMPARE(toPipe.exitCode(), 0);
        QCOMPARE(toPipe.readAllStandardOutput(), QByteArray("N1\r\nN2\r\n"));

#ifdef Q_OS_WIN
        QSKIP("Windows names files in UTF-16, never in code page 949 bytes (Korean names: "
              "CorvaneMergeFiles)");
#endif
        QProcess shell;
        shell.setWorkingDirectory(m_folder->path());
        shell.start(u"/bin/sh"_s,
                    {u"-c"_s,
                     u"out=$(printf 'out\\303\\342.nc'); in=$(printf 'in\\303\\342.nc'); "
                     "cp in.nc \"$in\" && \"$0\" -o \"$out\" \"$in\" && cat \"$out\""_s,
                     QStringLiteral(CORVANE_MERGE_PATH)});
        QVERIFY(shell.waitForFinished(30000));
        QCOMPARE(shell.exitCode(), 0);
        QCOMPARE(shell.readAllStandardOutput(), QByteArray("N1\r\nN2\r\n"));
    }

    // A cut tool change: --check says where; a merge writes nothing, to a file or to standard
    // output, unless forced.
    void seamFindingsAreReported()
    {
        const QString a = write(u"a.nc"_s, "%\nO1\nT1 M6\nG0 X1\nM30\n%\n");
        const QString b = write(u"b.nc"_s, "%\nO2\nT2 M6\nG0 X2\nM30\n%\n");
        const QStringList cuts = {u"--top"_s, u"3"_s, u"--bottom"_s, u"2"_s};
        QProcess check;
        check.start(QStringLiteral(CORVANE_MERGE_PATH),
                    QStringList{u"--check"_s} + cuts + QStringList{a, b});
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 3);
        QCOMPARE(said(check.readAllStandardOutput()), b + u":3: error: tool change cut: T2 M6\n"_s);
        QVERIFY(check.readAllStandardError().contains("1 errors, 0 warnings"));

        write(u"out.nc"_s, "old\n");
        QCOMPARE(run(QStringList{u"-o"_s, path(u"out.nc"_s)} + cuts + QStringList{a, b}), 3);
        QCOMPARE(read(u"out.nc"_s), QByteArray("old\n"));
        QProcess toPipe;
        toPipe.start(QStringLiteral(CORVANE_MERGE_PATH), cuts + QStringList{u"-o"_s, u"-"_s, a, b});
        QVERIFY(toPipe.waitForFinished(30000));
        QCOMPARE(toPipe.exitCode(), 3);
        QCOMPARE(toPipe.readAllStandardOutput(), QByteArray());
        QCOMPARE(
            run(QStringList{u"--force"_s, u"-o"_s, path(u"out.nc"_s)} + cuts + QStringList{a, b}),
            0);
        QCOMPARE(read(u"out.nc"_s),
                 QByteArray("%\r\nO1\r\nT1 M6\r\nG0 X1\r\nG0 X2\r\nM30\r\n%\r\n"));
    }

    // --check tells how each input was proved unchanged; --read-twice has every one read again.
    void checkTellsEachInputsProof()
    {
        const QString a = write(u"a.nc"_s, "G0 X1\n");
        const QString b = write(u"b.nc"_s, "G0 X2\n");
        QString errors;
        QCOMPARE(run({u"--check"_s, u"--read-twice"_s, a, b}, &errors), 0);
        for (const QString& input : {a, b})
            QVERIFY2(
                errors.contains(u"note: "_s + input + u": proved unchanged by a second reading"_s),
                qPrintable(errors));
        QCOMPARE(run({u"--check"_s, a}, &errors), 0);
        QVERIFY2(errors.contains(u": proved unchanged by "_s), qPrintable(errors));
    }

    // --percent writes what Corvane's "%" setting writes, and never around a Heidenhain program.
    void percentLinesAsCorvaneWritesThem()
    {
        const QString iso = write(u"a.nc"_s, "O1\nG0 X1\nM30\n");
        const QString heidenhain =
            write(u"a.h"_s, "0 BEGIN PGM A MM\n1 L X+1 R0 FMAX\n2 END PGM A MM\n");
        QCOMPARE(run({u"--percent"_s, u"-o"_s, path(u"iso.nc"_s), iso}), 0);
        QCOMPARE(read(u"iso.nc"_s), QByteArray("%\r\nO1\r\nG0 X1\r\nM30\r\n%\r\n"));
        QCOMPARE(run({u"--percent"_s, u"-o"_s, path(u"out.h"_s), heidenhain}), 0);
        QCOMPARE(read(u"out.h"_s),
                 QByteArray("0 BEGIN PGM A MM\r\n1 L X+1 R0 FMAX\r\n2 END PGM A MM\r\n"));
    }

    // A name holding a line feed cannot forge a finding of its own, and findings that cannot
    // be written fail the check instead of passing it.
    void findingsAreEscapedAndNeverLost()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows takes no line feed in a file name and has no /dev/full");
#endif
        const QString forged = write(u"x.nc\nin.nc:1: error: forged"_s, "N1\n");
        const QString good = write(u"good.nc"_s, "G0 X1\nG0 X2\n");
        QProcess check;
        check.start(QStringLiteral(CORVANE_MERGE_PATH), {u"--check"_s, u"--top=1"_s, good, forged});
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 3);
        const QList<QByteArray> lines = check.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines[0].contains("x.nc\\x0ain.nc:1: error: forged: error: left out"));

        QProcess full;
        full.setStandardOutputFile(u"/dev/full"_s);
        full.start(QStringLiteral(CORVANE_MERGE_PATH), {u"--check"_s, u"--top=1"_s, good, forged});
        QVERIFY(full.waitForFinished(30000));
        QCOMPARE(full.exitCode(), 2);
    }

    // --at places the inputs after it; each change is a note, on standard output with --check
    // and on standard error when writing. Inputs before any --at are left as they are.
    void inputsArePlacedAtTheirWorkOffset()
    {
        const QString a = write(u"a.nc"_s, "O1\nG90 G54\nG0 X1\n");
        const QString b = write(u"b.nc"_s, "O2\nG0 X2\nM30\n");
        QString errors;
        QCOMPARE(run({u"-o"_s, path(u"out.nc"_s), a, u"--at"_s, u"G54.1 P2"_s, b}, &errors), 0);
        QCOMPARE(read(u"out.nc"_s),
                 QByteArray("O1\r\nG90 G54\r\nG0 X1\r\nO2\r\nG54.1P2\r\nG0 X2\r\nM30\r\n"));
        QCOMPARE(errors, b + u":2: note: work offset inserted before the first move: G54.1P2\n"_s +
                             b + u":1: warning: program number kept inside the program: O2\n"_s);

        QProcess check;
        check.start(QStringLiteral(CORVANE_MERGE_PATH),
                    {u"--check"_s, u"--at=G55"_s, a, u"--at"_s, u"G599"_s, b});
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 0);
        QVERIFY(said(check.readAllStandardOutput())
                    .startsWith(a + u":2: note: work offset placed: G90 G54 -> G90 G55\n"_s));

        for (const QString& name : {u"G53"_s, u"G54.1P0"_s, u"G54.1P301"_s, u"G600"_s, u""_s}) {
            QCOMPARE(run({u"--at"_s, name, u"-o"_s, path(u"bad.nc"_s), a}, &errors), 2);
            QVERIFY2(errors.contains(u"--at takes a work offset"_s), qPrintable(errors));
            QVERIFY(!QFile::exists(path(u"bad.nc"_s)));
        }
    }

    // --tool-list checks each tool against the machine's list, --apply-tool-list writes its
    // speeds with a note each, --tool-sheet lists the tools; a missing tool is an error.
    void toolsAreCheckedAppliedAndListed()
    {
        const QString list = write(u"m.tlist"_s, "T1,flat,0,0,M08,1000,200\r\n");
        const QString a = write(u"a.nc"_s, "T1 M6\nS800 M3\nG1 X1 F100\nX2\nT4 M6\nM30\n");
        QProcess check;
        check.start(QStringLiteral(CORVANE_MERGE_PATH), {u"--check"_s, u"--tool-list"_s, list, a});
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 3);
        QCOMPARE(said(check.readAllStandardOutput()),
                 a +
                     u":2: warning: spindle speed other than the tool list's (T1: S800, 1000): "
                     u"S800 M3\n"_s +
                     a +
                     u":3: warning: main cutting feed other than the tool list's (T1: F100, "
                     u"200): G1 X1 F100\n"_s +
                     a + u":5: error: tool not in the machine's tool list (T4): T4 M6\n"_s);

        QString errors;
        QCOMPARE(run({u"--strict"_s, u"--tool-list"_s, list, u"--apply-tool-list"_s, u"-o"_s,
                      path(u"out.nc"_s), a},
                     &errors),
                 3);
        QVERIFY(!QFile::exists(path(u"out.nc"_s)));

        // Every feed of the tool keeps its ratio to the main one; a list written on Korean
        // Windows gives its description to the sheet in UTF-8.
        const QString korean =
            write(u"k.tlist"_s, "T1,\xC6\xF2\xBF\xA3\xB5\xE5\xB9\xD0,0,0,M08,1000,200\r\n");
        const QString b =
            write(u"b.nc"_s, "G21\nT1 M6\nS800 M3\nG0 X0 Y0\nG1 X1 F100\nX2 F50\nM30\n");
        QCOMPARE(run({u"--tool-list"_s, korean, u"--apply-tool-list"_s, u"--tool-sheet"_s,
                      path(u"s.csv"_s), u"-o"_s, path(u"out.nc"_s), b},
                     &errors),
                 0);
        QCOMPARE(read(u"out.nc"_s), QByteArray("G21\r\nT1 M6\r\nS1000 M3\r\nG0 X0 Y0\r\n"
                                               "G1 X1 F200\r\nX2 F100\r\nM30\r\n"));
        QCOMPARE(errors, b + u":3: note: speed from the tool list: S800 M3 -> S1000 M3\n"_s + b +
                             u":5: note: speed from the tool list: G1 X1 F100 -> G1 X1 F200\n"_s +
                             b + u":6: note: speed from the tool list: X2 F50 -> X2 F100\n"_s);
        QCOMPARE(read(u"s.csv"_s), QByteArray("tool,description,cells,S program,S list,F "
                                              "program,F list,findings\r\n1,평엔드밀,b.nc,800,"
                                              "1000,100,200,\r\n"));
    }

    // The tool sheet is written before the output is replaced: one that fails leaves it as it was.
    void anUnwritableToolSheetLeavesTheOutput()
    {
        const QString a = write(u"a.nc"_s, "T1 M6\nG0 X1\nM30\n");
        write(u"out.nc"_s, "old\n");
        QString errors;
        QCOMPARE(
            run({u"--tool-sheet"_s, path(u"no/such/sheet.csv"_s), u"-o"_s, path(u"out.nc"_s), a},
                &errors),
            2);
        QCOMPARE(read(u"out.nc"_s), QByteArray("old\n"));
        QVERIFY2(errors.contains(u"nothing written: the tool sheet could not be written"_s),
                 qPrintable(errors));
    }

    // Placed programs run tool by tool: the runs are notes, the retract as given; a program
    // that cannot be restarted keeps the given order with a warning.
    void programsAreOrderedByTool()
    {
        const QByteArray program("T1 M6\nG54 G0 X0 S1000 M3\nT2 M6\nG0 X1\nM30\n");
        const QString a = write(u"a.nc"_s, program);
        const QString b = write(u"b.nc"_s, program);
        QString errors;
        QCOMPARE(run({u"--bottom=1"_s, u"--order"_s, u"tool"_s, u"--retract"_s, u"G53\tZ0"_s,
                      u"-o"_s, path(u"out.nc"_s), u"--at=G54"_s, a, u"--at=G55"_s, b},
                     &errors),
                 0);
        QCOMPARE(read(u"out.nc"_s),
                 QByteArray("T1 M6\r\nG54 G0 X0 S1000 M3\r\nG53\tZ0\r\nG17 G40 G80 G90 G94\r\n"
                            "G55\r\nS1000 M03\r\nM09\r\nG55 G0 X0 S1000 M3\r\nG53\tZ0\r\n"
                            "G17 G40 G80 G90 G94\r\nG54\r\nT2 M6\r\nM05\r\nM09\r\nG0 X1\r\n"
                            "G53\tZ0\r\nG17 G40 G80 G90 G94\r\nG55\r\nM05\r\nM09\r\nG0 X1\r\n"
                            "M30\r\n"));
        QVERIFY2(errors.endsWith(u"note: tool run T1: G54 "_s + a + u":1 G55 "_s + b +
                                 u":1 (restart)\nnote: tool run T2: G54 "_s + a +
                                 u":3 (restart) G55 "_s + b +
                                 u":3 (restart)\nnote: ordered by tool: 2 tool changes, 4 in the "
                                 u"given order; 3 restart blocks\n"_s),
                 qPrintable(errors));

        const QString called = write(u"c.nc"_s, "T1 M6\nM98 P100\nM30\n");
        QProcess check;
        check.start(QStringLiteral(CORVANE_MERGE_PATH),
                    {u"--check"_s, u"--order=tool"_s, u"--at=G54"_s, called});
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 0);
        QCOMPARE(said(check.readAllStandardOutput()),
                 called + u":2: warning: not ordered by tool: the given order is kept (call): "
                          u"M98 P100\n"_s);
        // Without --at a program has no cell to be restarted at.
        check.start(QStringLiteral(CORVANE_MERGE_PATH), {u"--check"_s, u"--order=tool"_s, a});
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(said(check.readAllStandardOutput()),
                 a + u": warning: not ordered by tool: the given order is kept (not-placed)\n"_s);
    }

    // Stopped half way, the merge leaves no temporary file and the old output as it was.
    void aSignalRemovesTheTemporaryFile_data()
    {
#ifdef Q_OS_WIN
        QSKIP("POSIX signals: Windows ends a program without a handler running");
#else
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGQUIT") << int(SIGQUIT);
        QTest::newRow("SIGPIPE") << int(SIGPIPE);
        QTest::newRow("SIGUSR1") << int(SIGUSR1);
        // No handler runs: the output was never given a name.
        QTest::newRow("SIGKILL") << int(SIGKILL);
        QTest::newRow("SIGALRM") << int(SIGALRM);
        QTest::newRow("SIGXFSZ") << int(SIGXFSZ);
#endif
    }

    void aSignalRemovesTheTemporaryFile()
    {
#ifndef Q_OS_WIN
        QFETCH(int, signal);
        // A long last line, cut at the bottom: the merge reads for a while and writes next to
        // nothing. The file is sparse, so making it writes nothing either.
        QFile slow(path(u"slow.nc"_s));
        QVERIFY(slow.open(QIODevice::WriteOnly) && slow.write("N1\n") == 3 &&
                slow.resize(qint64(256) << 20));
        slow.close();
        write(u"last.nc"_s, "G0 X1\nG0 X2\nG0 X3\n");
        write(u"out.nc"_s, "old\n");
        QProcess merge;
        merge.start(
            QStringLiteral(CORVANE_MERGE_PATH),
            {u"--bottom=1"_s, u"-o"_s, path(u"out.nc"_s), path(u"slow.nc"_s), path(u"last.nc"_s)});
        QVERIFY(merge.waitForStarted());
        // The output open: unnamed ("#inode (deleted)" in the process's files), or under a
        // temporary name where the file system has no unnamed files.
        const QDir descriptors(u"/proc/%1/fd"_s.arg(merge.processId()));
        std::error_code ignored;
        const auto outputOpen = [&] {
            for (const QString& open : descriptors.entryList(QDir::AllEntries | QDir::System)) {
                const QString target = QString::fromStdString(
                    std::filesystem::read_symlink(descriptors.filePath(open).toStdString(), ignored)
                        .string());
                if (target.startsWith(m_folder->path() + u"/#"_s) ||
                    target.startsWith(m_folder->path() + u"/.corvane-"_s))
                    return true;
            }
            return false;
        };
        QVERIFY(QTest::qWaitFor(outputOpen, 30000));
        ::kill(pid_t(merge.processId()), signal);
        QVERIFY(merge.waitForFinished(30000));
        QCOMPARE(merge.exitStatus(), QProcess::CrashExit);
        const QDir folder(m_folder->path());
        QVERIFY(folder.entryList({u".corvane-*"_s}, QDir::Files | QDir::Hidden).isEmpty());
        QCOMPARE(read(u"out.nc"_s), QByteArray("old\n"));
#endif
    }

    void usageErrorsAndUnwritableOutputsExitWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no output") << QStringList{u"in.nc"_s};
        QTest::newRow("no input") << QStringList{u"-o"_s, u"out.nc"_s};
        QTest::newRow("negative") << QStringList{u"--bottom=-1"_s, u"-o"_s, u"out.nc"_s,
                                                 u"in.nc"_s};
        QTest::newRow("too large")
            << QStringList{u"--top"_s, u"4294967299"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        QTest::newRow("no folder") << QStringList{u"-o"_s, u"no/such/out.nc"_s, u"in.nc"_s};
        QTest::newRow("top twice")
            << QStringList{u"--top"_s, u"1"_s, u"--top=2"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        QTest::newRow("output twice")
            << QStringList{u"-o"_s, u"out.nc"_s, u"--output"_s, u"other.nc"_s, u"in.nc"_s};
        QTest::newRow("output forgotten") << QStringList{u"-o"_s, u"--"_s, u"in.nc"_s};
        QTest::newRow("apply without list")
            << QStringList{u"--apply-tool-list"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        QTest::newRow("list twice") << QStringList{
            u"--tool-list=a"_s, u"--tool-list"_s, u"b"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        QTest::newRow("order unknown")
            << QStringList{u"--order=cell"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        QTest::newRow("retract without order")
            << QStringList{u"--retract"_s, u"G28 Z0"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        QTest::newRow("retract of two lines") << QStringList{
            u"--order=tool"_s, u"--retract"_s, u"G28\nG90"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        // A retract may only move Z up (the rules are the core's).
        QTest::newRow("retract down") << QStringList{
            u"--order=tool"_s, u"--retract"_s, u"G00 Z-100."_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        QTest::newRow("offset without inputs")
            << QStringList{u"-o"_s, u"out.nc"_s, u"in.nc"_s, u"--at"_s, u"G55"_s};
        QTest::newRow("two offsets in a row") << QStringList{
            u"-o"_s, u"out.nc"_s, u"--at"_s, u"G54"_s, u"--at"_s, u"G55"_s, u"in.nc"_s};
        // Files that are one: nothing is replaced, neither output nor sheet.
        QTest::newRow("sheet is an input")
            << QStringList{u"--tool-sheet"_s, u"in.nc"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        QTest::newRow("output is the list")
            << QStringList{u"--tool-list"_s, u"out.nc"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        QTest::newRow("output is an input") << QStringList{u"-o"_s, u"in.nc"_s, u"in.nc"_s};
    }

    void usageErrorsAndUnwritableOutputsExitWithTwo()
    {
        QFETCH(QStringList, arguments);
        write(u"in.nc"_s, "N1\n");
        write(u"list.nc"_s, "T1,flat,0,0,,,\r\n");
        for (QString& argument : arguments)
            argument = argument.endsWith(u".nc"_s) ? path(argument) : argument;
        QString errors;
        QCOMPARE(run(arguments, &errors), 2);
        QVERIFY(!errors.isEmpty());
        QVERIFY(!QFile::exists(path(u"out.nc"_s)));
        QCOMPARE(read(u"in.nc"_s), QByteArray("N1\n"));
        QCOMPARE(read(u"list.nc"_s), QByteArray("T1,flat,0,0,,,\r\n"));
    }

private:
    int run(const QStringList& arguments, QString* errors = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral(CORVANE_MERGE_PATH), arguments);
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        if (errors)
            *errors = said(process.readAllStandardError());
        return process.exitCode();
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

    // What the program says, its text's line ends (CR LF on Windows) read as line feeds.
    static QString said(QByteArray text)
    {
        return QString::fromUtf8(text.replace("\r\n", "\n"));
    }

    QByteArray read(const QString& name) const
    {
        return readTestFile(path(name));
    }
    QString path(const QString& name) const
    {
        return m_folder->filePath(name);
    }

    std::unique_ptr<QTemporaryDir> m_folder;
};

QTEST_GUILESS_MAIN(CorvaneMergeTest)
#include "CorvaneMergeTest.moc"
