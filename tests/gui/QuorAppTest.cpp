#include "QuorApp.h"
#include "GuiTestEnvironment.h"
#include "MainFrame.h"

#include <QAction>
#include <QCoreApplication>
#include <QTest>

using namespace Qt::StringLiterals;

class QuorAppTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpStoresEveryKeyAndStartsWithAnEmptyJob();
};

void QuorAppTest::startUpStoresEveryKeyAndStartsWithAnEmptyJob()
{
    GuiTestEnvironment env;
    env.profile.writeString("Settings", "ToolListName", "Mill 5-axis.tlist");
    CQuorApp app;
    QCOMPARE(CQuorApp::instance(), &app);
    QVERIFY(app.InitInstance());

    QCOMPARE(env.profile.size(), std::size_t(42));
    QCOMPARE(env.profile.readInt("Settings", "RowNum", 0), 5u);
    QCOMPARE(QString::fromStdString(app.m_strExeFolder), QCoreApplication::applicationDirPath());
    QCOMPARE(app.m_strToolListName, std::string("Mill 5-axis.tlist"));
    QCOMPARE(app.m_JobFiles.count(), 0);
    QCOMPARE(app.m_nMachineFamily, -1);
    QCOMPARE(app.mainFrame()->windowTitle(), u"Tessaly"_s);
    QVERIFY(app.mainFrame()->isVisible());
    QVERIFY(app.mainFrame()->findChild<QAction*>(u"actionConvert"_s));
}

QTEST_MAIN(QuorAppTest)
#include "QuorAppTest.moc"
