#include "QSettingsProfile.h"
#include "Settings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// Reads and writes the settings file the way a later run of the program finds it.
class QSettingsProfileTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void valuesWrittenByAnotherRunAreReadAsStored();
    void savedSettingsReachTheFileAtOnce();

private:
    QString settingsFile() const { return m_home.filePath(u"Quor/Corvane.conf"_s); }

    QTemporaryDir m_home;
};

void QSettingsProfileTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_home.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_home.path());
}

void QSettingsProfileTest::valuesWrittenByAnotherRunAreReadAsStored()
{
    QVERIFY(QDir().mkpath(m_home.filePath(u"Quor"_s)));
    QFile file(settingsFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    // What QSettings writes for these values: every number comes back as text.
    file.write("[Settings]\nRoughOffset=-1\nMidOffset=4007\nSIMENS=7\nDEL_UP=-2\n"
               "TFONT_SIZE=big\nOUTPATH=/home/op/\xEC\xB6\x9C\xEB\xA0\xA5\n");
    file.close();

    QSettingsProfile profile;
    const ProfileInstallation installation(profile);
    const CSettings settings;
    QCOMPARE(settings.RoughOffset, 4294967.295);
    QCOMPARE(settings.MidOffset, 4.007);
    QCOMPARE(settings.SIMENS, 1);
    QCOMPARE(settings.DEL_UP, -2);
    QCOMPARE(settings.TFONT_SIZE, 20);
    QCOMPARE(QString::fromStdString(settings.OUTPATH), u"/home/op/출력"_s);
}

void QSettingsProfileTest::savedSettingsReachTheFileAtOnce()
{
    QFile::remove(settingsFile());
    QSettingsProfile profile;
    const ProfileInstallation installation(profile);
    CSettings settings;
    settings.DEL_BTM = 3;
    settings.RoughOffset = 4294967.295;
    settings.End_Line = "끝 %";
    QVERIFY(settings.Save());

    // Another QSettings on the same file sees every key, as a new process would.
    const QSettings stored(settingsFile(), QSettings::IniFormat);
    QCOMPARE(stored.value(u"Settings/DEL_BTM"_s).toInt(), 3);
    QCOMPARE(stored.value(u"Settings/RoughOffset"_s).toInt(), -1);
    QCOMPARE(stored.value(u"Settings/End_Line"_s).toString(), u"끝 %"_s);
    QCOMPARE(stored.childGroups(), QStringList{u"Settings"_s});
    QCOMPARE(stored.allKeys().size(), 42);
}

QTEST_MAIN(QSettingsProfileTest)
#include "QSettingsProfileTest.moc"
