#include "GuiTestEnvironment.h"
#include "MainFrame.h"
#include "QuorApp.h"
#include "Settings.h"

#include <QAction>
#include <QDir>
#include <QFile>
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
    void leftOutFilesAreReportedBeforeTheCompletion();
    void nothingCopiedMeansNoCompletionAndNoEditor();
    void asksBeforeReplacingAFileTheDialogDidNotConfirm();
    void cancelledOrEmptyJobDoesNothing();
    void failuresNameThePathAndTheReason();
    void theEditorIsOptionalAndItsFailureReported();

private:
    QString write(const QString& name, const QByteArray& bytes);
    QByteArray read(const QString& name) const;
    QString path(const QString& name) const { return m_folder->filePath(name); }
    void addJob(const QString& name)
    {
        m_app->m_JobFiles.RegisterJobFile(path(name).toStdString());
    }
    void convert(const QString& chosen, int filterIndex);
    QStringList messageTexts() const;

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

QString ConvertCommandTest::write(const QString& name, const QByteArray& bytes)
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file");
    return file.fileName();
}

QByteArray ConvertCommandTest::read(const QString& name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void ConvertCommandTest::convert(const QString& chosen, int filterIndex)
{
    m_env->platform.saveAnswers.push_back({path(chosen), filterIndex});
    QAction* action = m_frame->findChild<QAction*>(u"actionConvert"_s);
    QVERIFY(action);
    action->trigger();
}

QStringList ConvertCommandTest::messageTexts() const
{
    QStringList texts;
    for (const FakePlatform::Message& message : m_env->platform.messages) {
        texts.append(message.text);
        if (message.caption != u"Tessaly"_s)
            qWarning("unexpected caption %s", qPrintable(message.caption));
    }
    return texts;
}

void ConvertCommandTest::convertsTheJobAndOpensTheEditor()
{
    write(u"a.nc"_s, "%\nO1\nA1\nA2\n");
    write(u"b.nc"_s, "O2\n\nB1\nB2\n%\n");
    addJob(u"a.nc"_s);
    addJob(u"b.nc"_s);
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
    QCOMPARE(read(u"merged.nc"_s), QByteArray("%\r\nO1\r\nA1\r\nB1\r\nB2\r\n%\r\n"));
    QVERIFY(!QFile::exists(path(u"merged.txt"_s)));
    QCOMPARE(messageTexts(), QStringList{u"변환이 완료되었습니다."_s});
    QCOMPARE(m_env->platform.startedPrograms.size(), 1);
    QCOMPARE(m_env->platform.startedPrograms[0].program, u"editor"_s);
    QCOMPARE(m_env->platform.startedPrograms[0].parameter, path(u"merged.nc"_s));

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
    write(u"first.MPF"_s, "N1\n");
    addJob(u"first.MPF"_s);

    convert(chosen, filterIndex);

    QCOMPARE(read(written), QByteArray("N1\r\n"));
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files).size(), 2);
}

void ConvertCommandTest::leftOutFilesAreReportedBeforeTheCompletion()
{
    write(u"short.nc"_s, "S1\n");
    write(u"good.nc"_s, "G1\nG2\n");
    write(u"short2.NC"_s, "\nT1\n");
    addJob(u"short.nc"_s);
    addJob(u"missing.nc"_s);
    addJob(u"good.nc"_s);
    addJob(u"short2.NC"_s);
    GetSettings().DEL_UP = 1;

    convert(u"out.nc"_s, 1);

    const QStringList texts = messageTexts();
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts[0],
             u"삭제할 라인의 개수가 파일내용의 라인개수 보다 많습니다 -  short.nc short2.NC"_s);
    QVERIFY(texts[1].contains(QDir::toNativeSeparators(path(u"missing.nc"_s))));
    QCOMPARE(texts[2], u"변환이 완료되었습니다."_s);
    QCOMPARE(read(u"out.nc"_s), QByteArray("G1\r\nG2\r\n"));
    QCOMPARE(m_env->platform.startedPrograms.size(), 1);
}

void ConvertCommandTest::nothingCopiedMeansNoCompletionAndNoEditor()
{
    write(u"short.nc"_s, "S1\nS2\n");
    addJob(u"missing.nc"_s);
    addJob(u"short.nc"_s);
    GetSettings().DEL_BTM = 2;

    convert(u"out.nc"_s, 1);

    const QStringList texts = messageTexts();
    QCOMPARE(texts.size(), 2);
    QVERIFY(texts[0].startsWith(u"삭제할 라인의 개수가"_s));
    QVERIFY(texts[1].contains(QDir::toNativeSeparators(path(u"missing.nc"_s))));
    QCOMPARE(read(u"out.nc"_s), QByteArray());
    QVERIFY(m_env->platform.startedPrograms.isEmpty());
}

void ConvertCommandTest::asksBeforeReplacingAFileTheDialogDidNotConfirm()
{
    write(u"job.nc"_s, "N1\n");
    write(u"keep.nc"_s, "precious\n");
    addJob(u"job.nc"_s);

    m_env->platform.yesNoAnswers = {false};
    convert(u"keep.txt"_s, 0);
    QCOMPARE(m_env->platform.questions.size(), 1);
    QVERIFY(
        m_env->platform.questions[0].text.contains(QDir::toNativeSeparators(path(u"keep.nc"_s))));
    QCOMPARE(read(u"keep.nc"_s), QByteArray("precious\n"));
    QVERIFY(m_env->platform.messages.isEmpty());

    m_env->platform.yesNoAnswers = {true};
    convert(u"keep.txt"_s, 0);
    QCOMPARE(read(u"keep.nc"_s), QByteArray("N1\r\n"));

    // The path the dialog itself confirmed is not asked about again.
    convert(u"keep.nc"_s, 0);
    QCOMPARE(m_env->platform.questions.size(), 2);
}

void ConvertCommandTest::cancelledOrEmptyJobDoesNothing()
{
    QAction* action = m_frame->findChild<QAction*>(u"actionConvert"_s);
    action->trigger();
    QVERIFY(m_env->platform.saveRequests.isEmpty());

    write(u"job.nc"_s, "N1\n");
    addJob(u"job.nc"_s);
    GetSettings().OUTFILE = "before";
    action->trigger();
    QCOMPARE(m_env->platform.saveRequests.size(), 1);
    QCOMPARE(GetSettings().OUTFILE, std::string("before"));
    QVERIFY(m_env->platform.messages.isEmpty());
    QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{u"job.nc"_s});
}

void ConvertCommandTest::failuresNameThePathAndTheReason()
{
    write(u"job.nc"_s, "N1\n");
    addJob(u"job.nc"_s);

    convert(u"x/y/out.nc"_s, 1);
    QCOMPARE(m_env->platform.messages.size(), 1);
    QVERIFY(m_env->platform.messages[0].text.contains(QDir::toNativeSeparators(path(u"x/y"_s))));
    QCOMPARE(m_env->platform.messages[0].icon, Platform::Icon::Warning);
    QVERIFY(m_env->platform.startedPrograms.isEmpty());

    QDir(m_folder->path()).mkdir(u"taken.nc"_s);
    convert(u"taken.nc"_s, 1);
    QCOMPARE(m_env->platform.messages.size(), 2);
    QVERIFY(
        m_env->platform.messages[1].text.contains(QDir::toNativeSeparators(path(u"taken.nc"_s))));
    QVERIFY(m_env->platform.startedPrograms.isEmpty());
}

void ConvertCommandTest::theEditorIsOptionalAndItsFailureReported()
{
    write(u"job.nc"_s, "N1\n");
    addJob(u"job.nc"_s);

    GetSettings().EXECOMBO.clear();
    convert(u"a.nc"_s, 1);
    QCOMPARE(messageTexts(), QStringList{u"변환이 완료되었습니다."_s});
    QVERIFY(m_env->platform.startedPrograms.isEmpty());

    GetSettings().EXECOMBO = "no-such-editor";
    m_env->platform.programsStart = false;
    convert(u"b.nc"_s, 1);
    QCOMPARE(m_env->platform.messages.size(), 3);
    QVERIFY(m_env->platform.messages[2].text.contains(u"no-such-editor"_s));
}

QTEST_MAIN(ConvertCommandTest)
#include "ConvertCommandTest.moc"
