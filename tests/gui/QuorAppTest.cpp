#include "QuorApp.h"
#include "GuiTestEnvironment.h"
#include "MainFrame.h"
#include "Settings.h"

#include <QAction>
#include <QCoreApplication>
#include <QTest>

using namespace Qt::StringLiterals;

class QuorAppTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartStoresEveryDefaultAndStartsWithAnEmptyJob();
    void theToolListNameComesFromTheStore();
};

void QuorAppTest::firstStartStoresEveryDefaultAndStartsWithAnEmptyJob()
{
    GuiTestEnvironment env;
    CQuorApp app;
    QCOMPARE(CQuorApp::instance(), &app);
    QVERIFY(app.InitInstance());

    QCOMPARE(env.profile.size(), std::size_t(42));
    QCOMPARE(env.profile.readInt("Settings", "RowNum", 0), 5u);
    QCOMPARE(env.profile.readString("Settings", "EXTLIST", ""), std::string(".txt;.nc"));
    QCOMPARE(QString::fromStdString(app.m_strExeFolder), QCoreApplication::applicationDirPath());
    QCOMPARE(app.m_strToolListName, std::string("ToolList.tlist"));
    QCOMPARE(app.m_JobFiles.count(), 0);
    QCOMPARE(app.m_nMachineFamily, -1);

    QVERIFY(app.mainFrame());
    QCOMPARE(app.mainFrame()->windowTitle(), u"Tessaly"_s);
    QVERIFY(app.mainFrame()->isVisible());
    QVERIFY(app.mainFrame()->findChild<QAction*>(u"actionConvert"_s));
}

void QuorAppTest::theToolListNameComesFromTheStore()
{
    GuiTestEnvironment env;
    env.profile.writeString("Settings", "ToolListName", "Mill 5-axis.tlist");
    CQuorApp app;
    QVERIFY(app.InitInstance());
    QCOMPARE(app.m_strToolListName, std::string("Mill 5-axis.tlist"));
}

QTEST_MAIN(QuorAppTest)
#include "QuorAppTest.moc"
