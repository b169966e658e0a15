#include "app/QSettingsProfile.h"
#include "core/settings/Settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

// The settings file as a later run of the program finds it.
class QSettingsProfileTest : public QObject
{
    Q_OBJECT

private slots:
    // The settings in the user's registry key, as another program reads and writes them: numbers
    // as DWORDs (-1 as 0xFFFFFFFF) or as text, names in Korean, code page 949 bytes as they were.
    void theSettingsLiveInTheUsersRegistryKey()
    {
#ifndef Q_OS_WIN
        QSKIP("the registry is Windows' own");
#else
        QCOMPARE(QSettingsProfile().storeName(), u"\\HKEY_CURRENT_USER\\Software\\Quor\\Corvane"_s);
        const QString application = u"Corvane Test"_s;
        const QString key = u"HKEY_CURRENT_USER\\Software\\Quor\\"_s + application;
        const auto removeKey = [&] {
            QSettings(u"HKEY_CURRENT_USER\\Software\\Quor"_s, QSettings::NativeFormat)
                .remove(application);
        };
        removeKey();
        {
            QSettings other(key, QSettings::NativeFormat);
            other.setValue(u"Settings/RoughOffset"_s, 4294967295u);
            other.setValue(u"Settings/MidOffset"_s, u"4007"_s);
            other.setValue(u"Settings/DEL_UP"_s, -2);
        }
        {
            QSettingsProfile profile(application);
            QCOMPARE(profile.storeName(), u"\\"_s + key);
            const ProfileInstallation installation(profile);
            CSettings settings;
            QCOMPARE(settings.RoughOffset, 4294967.295);
            QCOMPARE(settings.MidOffset, 4.007);
            QCOMPARE(settings.DEL_UP, -2);
            settings.OUTPATH = "C:\\\xEC\xB6\x9C\xEB\xA0\xA5"; // "출력" in UTF-8
            settings.End_Line = "\xC3\xE2\xB7\xC2";            // "출력" in code page 949
            QVERIFY(settings.Save());
        }
        const QSettings other(key, QSettings::NativeFormat);
        QCOMPARE(other.value(u"Settings/OUTPATH"_s).toString(), u"C:\\출력"_s);
        QCOMPARE(other.value(u"Settings/DEL_UP"_s).toInt(), -2);
        QVERIFY(other.contains(u"Settings/EXTLIST"_s));
        QSettingsProfile later(application);
        const ProfileInstallation installation(later);
        const CSettings settings;
        QCOMPARE(settings.OUTPATH, std::string("C:\\\xEC\xB6\x9C\xEB\xA0\xA5"));
        QCOMPARE(settings.End_Line, std::string("\xC3\xE2\xB7\xC2"));
        QCOMPARE(settings.RoughOffset, 4294967.295);
        removeKey();
#endif
    }
    void valuesWrittenByAnotherRunComeBackAsStored()
    {
#ifdef Q_OS_WIN
        QSKIP("a settings file: Windows keeps the settings in the registry");
#else
        QTemporaryDir home;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
        QVERIFY(QDir(home.path()).mkdir(u"Quor"_s));
        const QString file = home.filePath(u"Quor/Corvane.conf"_s);
        // As QSettings writes them: in a new process every number comes back as text.
        QFile written(file);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(
            "[General]\nNormalLayout=@ByteArray(state)\n"
            "[Settings]\nRoughOffset=-1\nMidOffset=4007\nSIMENS=7\nDEL_UP=-2\nDEL_BTM=4294967299\n"
            "TFONT_SIZE=big\nOUTPATH=/home/op/\xEC\xB6\x9C\xEB\xA0\xA5\n");
        written.close();
        {
            QSettingsProfile profile;
            QCOMPARE(profile.storedWindow().layout, QByteArray("state"));
            const ProfileInstallation installation(profile);
            CSettings settings;
            QCOMPARE(settings.RoughOffset, 4294967.295);
            QCOMPARE(settings.MidOffset, 4.007);
            QCOMPARE(settings.SIMENS, 1);
            QCOMPARE(settings.DEL_UP, -2);
            QCOMPARE(settings.DEL_BTM, 0); // does not fit 32 bits: not ours, so the default
            QCOMPARE(settings.TFONT_SIZE, 20);
            QCOMPARE(QString::fromStdString(settings.OUTPATH), u"/home/op/출력"_s);
            settings.End_Line = "끝 %";
            QVERIFY(settings.Save());

            // Saved means on disk: another reader of the file sees the keys it lacked now.
            const QSettings stored(file, QSettings::IniFormat);
            QVERIFY(stored.contains(u"Settings/EXTLIST"_s));
            QCOMPARE(stored.value(u"Settings/RoughOffset"_s).toInt(), -1);
            QCOMPARE(stored.value(u"Settings/MidOffset"_s).toInt(), 4007);
            QCOMPARE(stored.value(u"Settings/End_Line"_s).toString(), u"끝 %"_s);

            profile.storeWindow({"where", "how", u"/home/op/출력"_s});

            // Code page 949 bytes come back as they were, not as U+FFFD.
            settings.OUTPATH = "C:\\\xC3\xE2\xB7\xC2";
            QVERIFY(settings.Save());
        }
        QSettingsProfile profile;
        const ProfileInstallation installation(profile);
        QCOMPARE(CSettings().OUTPATH, std::string("C:\\\xC3\xE2\xB7\xC2"));
        const WindowMemory window = profile.storedWindow();
        QCOMPARE(window.geometry, QByteArray("where"));
        QCOMPARE(window.layout, QByteArray("how"));
        QCOMPARE(window.folder, u"/home/op/출력"_s);
#endif
    }

    // A settings file that is a FIFO is never read (that would wait for ever); one that cannot
    // be written says so.
    void aStoreThatCannotServeIsNoticed()
    {
#ifdef Q_OS_WIN
        QSKIP("a settings file: Windows keeps the settings in the registry");
#else
        QTemporaryDir home;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
        QVERIFY(QDir(home.path()).mkdir(u"Quor"_s));
        QVERIFY(::mkfifo(QFile::encodeName(home.filePath(u"Quor/Corvane.conf"_s)).constData(),
                         0600) == 0);
        {
            QSettingsProfile fifo;
            QVERIFY(!fifo.usable());
            const ProfileInstallation installation(fifo);
            CSettings settings;
            QCOMPARE(settings.DEL_UP, 0);
            QVERIFY(!settings.Save());
        }

        // A folder where the settings' folder should be: nothing can be written there.
        QFile blocker(home.filePath(u"blocker"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, blocker.fileName());
        QSettingsProfile unwritable;
        QVERIFY(unwritable.usable());
        const ProfileInstallation installation(unwritable);
        QVERIFY(!GetSettings().Save());
        ReleaseSettings();
#endif
    }
};

QTEST_MAIN(QSettingsProfileTest)
#include "QSettingsProfileTest.moc"
