#include "desktop/QtPlatform.h"
#include "TestPaths.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The desktop as the program meets it: programs started, and the editor of merged programs.
class QtPlatformTest : public QObject
{
    Q_OBJECT

private slots:
    // A program that fails at once, or is not there, did not start; one that keeps running or
    // ends well did.
    void aProgramThatFailsAtOnceIsNotStarted()
    {
        QtPlatform platform;
        QVERIFY(!platform.startProgram(u"false"_s, u"x"_s));
        QVERIFY(!platform.startProgram(u"no-such-program-here"_s, u"x"_s));
        QVERIFY(platform.startProgram(u"true"_s, u"x"_s));
        QVERIFY(platform.startProgram(u"sleep"_s, u"2"_s));
    }

    // Without a desktop default for text, the opener takes the first text editor it finds; with
    // none at all, or no such file, it fails, so that the program can say so.
    void theTextOpenerFindsAnEditor()
    {
        QTemporaryDir home;
        QVERIFY(QDir(home.path()).mkdir(u"bin"_s));
        const QString editor = home.filePath(u"bin/mousepad"_s);
        QFile script(editor);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$1\" > \"$0.opened\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile program(home.filePath(u"O1.nc"_s));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.close();

        const auto open = [&](const QString& path, const QString& file) {
            QProcess opener;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"PATH"_s, path);
            environment.insert(u"HOME"_s, home.path());
            environment.insert(u"XDG_DATA_DIRS"_s, home.filePath(u"none"_s));
            environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"none"_s));
            opener.setProcessEnvironment(environment);
            opener.start(u"/bin/sh"_s,
                         {QStringLiteral(CORVANE_RES_DIR "/corvane-open-text"), file});
            return opener.waitForFinished(10000) ? opener.exitCode() : -1;
        };
        QCOMPARE(open(home.filePath(u"bin"_s) + u":/usr/bin:/bin"_s, program.fileName()), 0);
        QFile opened(editor + u".opened"_s);
        QVERIFY(opened.open(QIODevice::ReadOnly));
        QCOMPARE(opened.readAll().trimmed(), program.fileName().toUtf8());
        QVERIFY(open(home.filePath(u"bin"_s) + u":/usr/bin:/bin"_s, home.filePath(u"gone.nc"_s)) !=
                0);

        // A desktop default for text that cannot start (a terminal program gio finds no terminal
        // for) and no window editor: a terminal editor opens it in a terminal window.
        QVERIFY(QDir(home.path()).mkpath(u"share/applications"_s));
        QVERIFY(QDir(home.path()).mkpath(u"config"_s));
        QFile entry(home.filePath(u"share/applications/broken.desktop"_s));
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Broken\nExec=no-such-editor %F\n"
                    "Terminal=true\nMimeType=text/plain;\n");
        entry.close();
        QFile defaults(home.filePath(u"config/mimeapps.list"_s));
        QVERIFY(defaults.open(QIODevice::WriteOnly));
        defaults.write("[Default Applications]\ntext/plain=broken.desktop\n");
        defaults.close();
        QVERIFY(QFile::remove(editor));
        QVERIFY(QDir(home.path()).mkdir(u"terminal"_s));
        const QString terminal = home.filePath(u"terminal/x-terminal-emulator"_s);
        QFile terminalScript(terminal);
        QVERIFY(terminalScript.open(QIODevice::WriteOnly));
        terminalScript.write("#!/bin/sh\necho \"$*\" > \"$0.opened\"\n");
        terminalScript.close();
        terminalScript.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcess opener;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"PATH"_s, home.filePath(u"terminal"_s) + u":/usr/bin:/bin"_s);
        environment.insert(u"HOME"_s, home.path());
        environment.insert(u"XDG_DATA_HOME"_s, home.filePath(u"share"_s));
        environment.insert(u"XDG_DATA_DIRS"_s, home.filePath(u"none"_s));
        environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
        environment.remove(u"DISPLAY"_s);
        opener.setProcessEnvironment(environment);
        opener.start(u"/bin/sh"_s, {QStringLiteral(CORVANE_RES_DIR "/corvane-open-text"),
                                    program.fileName()});
        QVERIFY(opener.waitForFinished(10000));
        QCOMPARE(opener.exitCode(), 0);
        QFile inTerminal(terminal + u".opened"_s);
        QVERIFY(inTerminal.open(QIODevice::ReadOnly));
        QVERIFY(inTerminal.readAll().trimmed().endsWith(" " + program.fileName().toUtf8()));
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
