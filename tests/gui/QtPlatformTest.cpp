#include "desktop/QtPlatform.h"
#include "TestPaths.h"
#include "core/os/NativeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

// The desktop as the program meets it: programs started, and the editor of merged programs.
class QtPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    // The editor of merged programs, notepad unless the user chose another, is found on the path
    // and opens a program whose name is Korean; a program that is not there does not start.
    void theDefaultEditorOpensAProgram()
    {
#ifndef Q_OS_WIN
        QSKIP("notepad is Windows' editor");
#else
        QTemporaryDir folder;
        const QString program = folder.filePath(u"가공 O1.nc"_s);
        QFile file(program);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("O1\r\nM30\r\n") == 9);
        file.close();
        QCOMPARE(outcomeOf(u"no-such-program-here"_s, program), std::optional<bool>(false));
        const QString editor = QString::fromStdString(NativeFile::defaultEditor());
        QCOMPARE(editor, u"notepad"_s);
        QCOMPARE(outcomeOf(editor, QDir::toNativeSeparators(program)), std::optional<bool>(true));
        QProcess::execute(u"taskkill"_s, {u"/f"_s, u"/im"_s, u"notepad.exe"_s});
#endif
    }

    // Starting returns at once; whether the program started comes later. One that fails at
    // once, or is not there, did not start; one that keeps running or ends well did.
    void aProgramThatFailsAtOnceIsNotStarted()
    {
#ifdef Q_OS_WIN
        QSKIP("POSIX programs and FIFOs: on Windows a start is known at once");
#else
        QCOMPARE(outcomeOf(u"false"_s, u"x"_s), std::optional<bool>(false));
        QCOMPARE(outcomeOf(u"no-such-program-here"_s, u"x"_s), std::optional<bool>(false));
        QCOMPARE(outcomeOf(u"true"_s, u"x"_s), std::optional<bool>(true));

        // A program that runs until the test lets it go, as an editor runs until it is closed.
        QTemporaryDir folder;
        const QString release = folder.filePath(u"release"_s);
        QCOMPARE(mkfifo(QFile::encodeName(release).constData(), 0600), 0);
        const QString waiter = folder.filePath(u"waiter"_s);
        QFile script(waiter);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nread line < \"$1\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QtPlatform platform;
        std::optional<bool> outcome;
        platform.startProgram(waiter, release, [&outcome](bool started) { outcome = started; });
        QVERIFY(!outcome.has_value());
        QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 20000);
        QCOMPARE(outcome, std::optional<bool>(true));
        QFile letGo(release);
        QVERIFY(letGo.open(QIODevice::WriteOnly));
        letGo.write("\n");
#endif
    }

    // Without a desktop default for text, the opener takes the first text editor it finds; with
    // none at all, or no such file, it fails, so that the program can say so. A default that
    // cannot start (a terminal program gio finds no terminal for) leaves the way open to a
    // terminal editor in a terminal window.
    void theTextOpenerFindsAnEditor()
    {
#ifdef Q_OS_WIN
        QSKIP("the desktop opener off Windows: Windows opens with notepad");
#else
        QTemporaryDir home;
        const auto write = [&](const QString& name, const QByteArray& bytes, bool program) {
            QVERIFY(QDir(home.path()).mkpath(QFileInfo(home.filePath(name)).path()));
            QFile file(home.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            file.close();
            if (program)
                file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        };
        const auto open = [&](const QString& folder, const QString& file, bool broken) {
            QProcess opener;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"PATH"_s, home.filePath(folder) + u":/usr/bin:/bin"_s);
            environment.insert(u"HOME"_s, home.path());
            environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"share"_s));
            environment.insert(u"XDG_DATA_DIRS"_s, home.filePath(u"none"_s));
            environment.insert(u"XDG_CONFIG_HOME"_s,
                               home.filePath(broken ? u"config"_s : u"none"_s));
            environment.remove(u"DISPLAY"_s);
            opener.setProcessEnvironment(environment);
            opener.start(u"/bin/sh"_s,
                         {QStringLiteral(CORVANE_RES_DIR "/corvane-open-text"), file});
            return opener.waitForFinished(10000) ? opener.exitCode() : -1;
        };
        const auto opened = [&](const QString& name) {
            QFile record(home.filePath(name + u".opened"_s));
            return record.open(QIODevice::ReadOnly) ? record.readAll().trimmed() : QByteArray();
        };
        const QByteArray recorder = "#!/bin/sh\necho \"$*\" > \"$0.opened\"\n";
        write(u"bin/mousepad"_s, recorder, true);
        write(u"terminal/x-terminal-emulator"_s, recorder, true);
        write(u"O1.nc"_s, {}, false);
        const QString program = home.filePath(u"O1.nc"_s);

        QCOMPARE(open(u"bin"_s, program, false), 0);
        QCOMPARE(opened(u"bin/mousepad"_s), program.toUtf8());
        QVERIFY(open(u"bin"_s, home.filePath(u"gone.nc"_s), false) != 0);

        write(u"share/applications/broken.desktop"_s,
              "[Desktop Entry]\nType=Application\nName=Broken\nExec=no-such-editor %F\n"
              "Terminal=true\nMimeType=text/plain;\n",
              false);
        write(u"config/mimeapps.list"_s, "[Default Applications]\ntext/plain=broken.desktop\n",
              false);
        QCOMPARE(open(u"terminal"_s, program, true), 0);
        QVERIFY(opened(u"terminal/x-terminal-emulator"_s).endsWith(" " + program.toUtf8()));
#endif
    }

private:
    // Whether the platform says the program started, once it knows.
    static std::optional<bool> outcomeOf(const QString& program, const QString& parameter)
    {
        QtPlatform platform;
        std::optional<bool> outcome;
        platform.startProgram(program, parameter, [&outcome](bool started) { outcome = started; });
        QTest::qWaitFor([&outcome] { return outcome.has_value(); }, 20000);
        return outcome;
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
