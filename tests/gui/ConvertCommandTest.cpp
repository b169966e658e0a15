#include "GuiTestEnvironment.h"
#include "MainFrame.h"
#include "MergeProgressDialog.h"
#include "QuorApp.h"
#include "Settings.h"
#include "TestFiles.h"

#include <QAction>
#include <QDir>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class ConvertCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void convertsTheJobAndOpensTheEditor();
    void theFilterChoosesTheExtension_data();
    void theFilterChoosesTheExtension();
    void leftOutFilesAreReportedAndNothingCopiedMeansNoEditor();
    void asksBeforeReplacingAFileTheDialogDidNotConfirm();
    void cancelledOrEmptyJobDoesNothing();
    void failuresAreReportedWithThePath();
    void aLongMergeShowsProgressThatCancels();

private:
    QString path(const QString& name) const { return m_folder->filePath(name); }
    QString shown(const QString& name) const { return QDir::toNativeSeparators(path(name)); }
    void addJob(const QString& name, const QByteArray& bytes);
    void convert(const QString& chosen, int filterIndex);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<GuiTestEnvironment> m_env;
    std::unique_ptr<CQuorApp> m_app;
    std::unique_ptr<CMainFrame> m_frame;
};

void ConvertCommandTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_env = std::make_unique<GuiTestEnvironment>();
    m_app = std::make_unique<CQuorApp>();
    m_frame = std::make_unique<CMainFrame>(*m_app);
    GetSettings().EXECOMBO = "editor";
}

void ConvertCommandTest::cleanup()
{
    m_frame.reset();
    m_app.reset();
    m_env.reset();
    m_folder.reset();
}

// Adds a job file; null bytes leave the file missing.
void ConvertCommandTest::addJob(const QString& name, const QByteArray& bytes)
{
    if (!bytes.isNull())
        writeTestFile(path(name), bytes);
    m_app->m_JobFiles.RegisterJobFile(path(name).toStdString());
}

void ConvertCommandTest::convert(const QString& chosen, int filterIndex)
{
    m_env->platform.saveAnswers.push_back({path(chosen), filterIndex});
    m_frame->findChild<QAction*>(u"actionConvert"_s)->trigger();
}

void ConvertCommandTest::convertsTheJobAndOpensTheEditor()
{
    addJob(u"a.nc"_s, "%\nO1\nA1\nA2\n");
    addJob(u"b.nc"_s, "O2\n\nB1\nB2\n%\n");
    CSettings& settings = GetSettings();
    settings.OUTPATH = "/start/here";
    settings.DEL_UP = 1;
    settings.DEL_BTM = 1;

    convert(u"merged.txt"_s, 0);

    QCOMPARE(m_env->platform.saveRequests.size(), 1);
    QCOMPARE(m_env->platform.saveRequests[0].folder, u"/start/here"_s);
    QCOMPARE(m_env->platform.saveRequests[0].filters,
             QStringList({u"현재파일 형식 (*.*)"_s, u"모든파일(*.*)"_s}));
    // The first filter gives the output the first job file's extension.
    QCOMPARE(readTestFile(path(u"merged.nc"_s)), QByteArray("%\r\nO1\r\nA1\r\nB1\r\nB2\r\n%\r\n"));
    QVERIFY(!QFile::exists(path(u"merged.txt"_s)));
    QCOMPARE(m_env->platform.messageTexts(), QStringList{u"Tessaly: 변환이 완료되었습니다."_s});
    QCOMPARE(m_env->platform.startedPrograms.size(), 1);
    QCOMPARE(m_env->platform.startedPrograms[0].program, u"editor"_s);
    QCOMPARE(m_env->platform.startedPrograms[0].parameter, shown(u"merged.nc"_s));

    QCOMPARE(QString::fromStdString(settings.OUTPATH), m_folder->path());
    QCOMPARE(settings.OUTFILE, std::string("merged"));
    QCOMPARE(settings.m_strCustomExt, std::string(".txt"));
    QCOMPARE(settings.m_nOutputType, 5);
    QCOMPARE(m_app->m_JobFiles.count(), 2);
}

void ConvertCommandTest::theFilterChoosesTheExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("filterIndex");
    QTest::addColumn<QString>("written");
    QTest::newRow("current type, none typed") << u"out"_s << 0 << u"out.MPF"_s;
    QTest::newRow("all files, typed") << u"out.cnc"_s << 1 << u"out.cnc"_s;
    QTest::newRow("all files, none typed") << u"out"_s << 1 << u"out"_s;
}

void ConvertCommandTest::theFilterChoosesTheExtension()
{
    QFETCH(QString, chosen);
    QFETCH(int, filterIndex);
    QFETCH(QString, written);
    addJob(u"first.MPF"_s, "N1\n");
    convert(chosen, filterIndex);
    QCOMPARE(readTestFile(path(written)), QByteArray("N1\r\n"));
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files).size(), 2);
}

void ConvertCommandTest::leftOutFilesAreReportedAndNothingCopiedMeansNoEditor()
{
    addJob(u"short.nc"_s, "S1\n");
    addJob(u"missing.nc"_s, {});
    addJob(u"good.nc"_s, "G1\nG2\n");
    addJob(u"short2.NC"_s, "\nT1\n");
    GetSettings().DEL_UP = 1;
    convert(u"out.nc"_s, 1);

    QStringList texts = m_env->platform.messageTexts();
    QCOMPARE(texts.size(), 3);
    QCOMPARE(
        texts[0],
        u"Tessaly: 삭제할 라인의 개수가 파일내용의 라인개수 보다 많습니다 -  short.nc short2.NC"_s);
    QVERIFY(texts[1].contains(shown(u"missing.nc"_s)));
    QCOMPARE(texts[2], u"Tessaly: 변환이 완료되었습니다."_s);
    QCOMPARE(readTestFile(path(u"out.nc"_s)), QByteArray("G1\r\nG2\r\n"));
    QCOMPARE(m_env->platform.startedPrograms.size(), 1);

    // Without the one good file nothing is copied: no completion, no editor.
    m_app->m_JobFiles.clear();
    m_env->platform.messages.clear();
    addJob(u"missing.nc"_s, {});
    addJob(u"short.nc"_s, "S1\n");
    convert(u"out.nc"_s, 1);
    texts = m_env->platform.messageTexts();
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts[0].contains(u"short.nc"_s));
    QVERIFY(texts[1].contains(shown(u"missing.nc"_s)));
    QCOMPARE(readTestFile(path(u"out.nc"_s)), QByteArray());
    QCOMPARE(m_env->platform.startedPrograms.size(), 1);
}

void ConvertCommandTest::asksBeforeReplacingAFileTheDialogDidNotConfirm()
{
    addJob(u"job.nc"_s, "N1\n");
    writeTestFile(path(u"keep.nc"_s), "precious\n");

    m_env->platform.yesNoAnswers = {false};
    convert(u"keep.txt"_s, 0);
    QCOMPARE(m_env->platform.questions.size(), 1);
    QVERIFY(m_env->platform.questions[0].text.contains(shown(u"keep.nc"_s)));
    QCOMPARE(readTestFile(path(u"keep.nc"_s)), QByteArray("precious\n"));
    QVERIFY(m_env->platform.messages.isEmpty());

    m_env->platform.yesNoAnswers = {true};
    convert(u"keep.txt"_s, 0);
    QCOMPARE(readTestFile(path(u"keep.nc"_s)), QByteArray("N1\r\n"));

    // The path the dialog itself confirmed is not asked about again.
    convert(u"keep.nc"_s, 0);
    QCOMPARE(m_env->platform.questions.size(), 2);
}

void ConvertCommandTest::cancelledOrEmptyJobDoesNothing()
{
    QAction* action = m_frame->findChild<QAction*>(u"actionConvert"_s);
    action->trigger();
    QVERIFY(m_env->platform.saveRequests.isEmpty());

    addJob(u"job.nc"_s, "N1\n");
    GetSettings().OUTFILE = "before";
    action->trigger();
    QCOMPARE(m_env->platform.saveRequests.size(), 1);
    QCOMPARE(GetSettings().OUTFILE, std::string("before"));
    QVERIFY(m_env->platform.messages.isEmpty());
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{u"job.nc"_s});
}

void ConvertCommandTest::failuresAreReportedWithThePath()
{
    addJob(u"job.nc"_s, "N1\n");
    convert(u"x/y/out.nc"_s, 1);
    QCOMPARE(m_env->platform.messages.size(), 1);
    QVERIFY(m_env->platform.messages[0].text.contains(shown(u"x/y"_s)));
    QCOMPARE(m_env->platform.messages[0].icon, Platform::Icon::Warning);

    QDir(m_folder->path()).mkdir(u"taken.nc"_s);
    convert(u"taken.nc"_s, 1);
    QCOMPARE(m_env->platform.messages.size(), 2);
    QVERIFY(m_env->platform.messages[1].text.contains(shown(u"taken.nc"_s)));
    QVERIFY(m_env->platform.startedPrograms.isEmpty());

    GetSettings().EXECOMBO = "no-such-editor";
    m_env->platform.programsStart = false;
    convert(u"b.nc"_s, 1);
    QCOMPARE(m_env->platform.messages.size(), 4);
    QVERIFY(m_env->platform.messages[3].text.contains(u"no-such-editor"_s));

    GetSettings().EXECOMBO.clear();
    convert(u"c.nc"_s, 1);
    QCOMPARE(m_env->platform.messages.size(), 5);
    QCOMPARE(m_env->platform.startedPrograms.size(), 1);
}

void ConvertCommandTest::aLongMergeShowsProgressThatCancels()
{
    MergeProgressDialog progress(m_frame.get());
    QVERIFY(progress.update(1, 10));
    QVERIFY(!m_frame->findChild<QProgressDialog*>());
    QTest::qWait(600);
    QVERIFY(progress.update(2, 10));
    auto* dialog = m_frame->findChild<QProgressDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    dialog->cancel();
    QVERIFY(!progress.update(3, 10));
}

QTEST_MAIN(ConvertCommandTest)
#include "ConvertCommandTest.moc"
