#include "app/QSettingsProfile.h"
#include "core/Settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The settings file as a later run of the program finds it.
class QSettingsProfileTest : public QObject
{
    Q_OBJECT

private slots:
    void valuesWrittenByAnotherRunComeBackAsStored()
    {
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
        QCOMPARE(QSettingsProfile::storedWindowLayout(), QByteArray("state"));
        {
            QSettingsProfile profile;
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
        }
    }
};

QTEST_MAIN(QSettingsProfileTest)
#include "QSettingsProfileTest.moc"
