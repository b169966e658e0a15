#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// corvane-merge as a script runs it: arguments in, files, standard error and exit status out.
class CorvaneMergeTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void mergesWithTheGivenTrimming();
    void namesLeftOutFilesAndFailsWhenNothingWasCopied();
    void usageErrorsAndUnwritableOutputsExitWithTwo_data();
    void usageErrorsAndUnwritableOutputsExitWithTwo();
    void helpAndVersion();

private:
    struct Result
    {
        int status;
        QString errors;
        QString output;
    };
    Result run(const QStringList& arguments);
    QString write(const QString& name, const QByteArray& bytes);
    QString path(const QString& name) const { return m_folder->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_folder;
};

void CorvaneMergeTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

CorvaneMergeTest::Result CorvaneMergeTest::run(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral(CORVANE_MERGE_PATH), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, {}};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()),
            QString::fromUtf8(process.readAllStandardOutput())};
}

QString CorvaneMergeTest::write(const QString& name, const QByteArray& bytes)
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file");
    return file.fileName();
}

static QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void CorvaneMergeTest::mergesWithTheGivenTrimming()
{
    const QString a = write(u"a.nc"_s, "%\nO1\nA1\nM30\n%\n");
    const QString b = write(u"b.nc"_s, "%\nO2\n\nB1\nM30\n%\n");
    const QString out = path(u"merged.program"_s);
    const Result result = run({u"--top"_s, u"2"_s, u"--bottom"_s, u"2"_s, u"-o"_s, out, a, b});
    QCOMPARE(result.status, 0);
    QCOMPARE(result.errors, QString());
    QCOMPARE(contents(out), QByteArray("%\r\nO1\r\nA1\r\nB1\r\nM30\r\n%\r\n"));

    QCOMPARE(run({u"-o"_s, out, a}).status, 0);
    QCOMPARE(contents(out), QByteArray("%\r\nO1\r\nA1\r\nM30\r\n%\r\n"));
}

void CorvaneMergeTest::namesLeftOutFilesAndFailsWhenNothingWasCopied()
{
    const QString shortFile = write(u"short.nc"_s, "N1\n");
    const QString missing = path(u"missing.nc"_s);
    const QString out = path(u"out.nc"_s);
    const Result result = run({u"--bottom"_s, u"1"_s, u"-o"_s, out, shortFile, missing});
    QCOMPARE(result.status, 1);
    const QStringList lines = result.errors.trimmed().split(u'\n');
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].contains(shortFile));
    QVERIFY(lines[1].contains(missing));
    QCOMPARE(contents(out), QByteArray());
}

void CorvaneMergeTest::usageErrorsAndUnwritableOutputsExitWithTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no output") << QStringList{u"in.nc"_s};
    QTest::newRow("no input") << QStringList{u"-o"_s, u"out.nc"_s};
    QTest::newRow("bad count") << QStringList{u"--top"_s, u"two"_s, u"-o"_s, u"out.nc"_s,
                                              u"in.nc"_s};
    QTest::newRow("negative count")
        << QStringList{u"--bottom=-1"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
    QTest::newRow("unknown option") << QStringList{u"--fast"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
    QTest::newRow("output folder missing")
        << QStringList{u"-o"_s, u"no/such/folder/out.nc"_s, u"in.nc"_s};
}

void CorvaneMergeTest::usageErrorsAndUnwritableOutputsExitWithTwo()
{
    QFETCH(QStringList, arguments);
    write(u"in.nc"_s, "N1\n");
    QStringList absolute;
    for (const QString& argument : arguments)
        absolute.append(argument.endsWith(u".nc"_s) ? path(argument) : argument);
    const Result result = run(absolute);
    QCOMPARE(result.status, 2);
    QVERIFY(!result.errors.isEmpty());
    QVERIFY(!QFile::exists(path(u"out.nc"_s)));
}

void CorvaneMergeTest::helpAndVersion()
{
    const Result help = run({u"--help"_s});
    QCOMPARE(help.status, 0);
    QVERIFY(help.output.contains(u"--top"_s));
    QVERIFY(help.output.contains(u"--bottom"_s));

    const Result version = run({u"--version"_s});
    QCOMPARE(version.status, 0);
    QVERIFY(version.output.contains(u"3.0"_s));
}

QTEST_GUILESS_MAIN(CorvaneMergeTest)
#include "CorvaneMergeTest.moc"
