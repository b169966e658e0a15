#include "GuiTestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// corvane-merge as a script runs it: arguments in; files, standard error and exit status out.
class CorvaneMergeTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        QVERIFY(m_folder->isValid());
    }

    void mergesAndNamesWhatItLeftOut()
    {
        const QString a = write(u"a.nc"_s, "%\nO1\nA1\nM30\n%\n");
        const QString b = write(u"b.nc"_s, "%\nO2\n\nB1\nM30\n%\n");
        const QString shortFile = write(u"short.nc"_s, "N1\n");
        const QString missing = path(u"missing.nc"_s);
        const QString out = path(u"merged.program"_s);
        QString errors;
        QCOMPARE(run({u"--top"_s, u"2"_s, u"--bottom=2"_s, u"-o"_s, out, a, shortFile, missing, b},
                     &errors),
                 0);
        QCOMPARE(read(u"merged.program"_s), QByteArray("%\r\nO1\r\nA1\r\nB1\r\nM30\r\n%\r\n"));
        const QStringList lines = errors.trimmed().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].contains(shortFile));
        QVERIFY(lines[1].contains(missing));

        // Nothing copied: the output exists, empty, and the status says so.
        QCOMPARE(run({u"--bottom"_s, u"1"_s, u"-o"_s, out, shortFile}), 1);
        QCOMPARE(read(u"merged.program"_s), QByteArray());
    }

    void usageErrorsAndUnwritableOutputsExitWithTwo_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no output") << QStringList{u"in.nc"_s};
        QTest::newRow("no input") << QStringList{u"-o"_s, u"out.nc"_s};
        QTest::newRow("bad count") << QStringList{u"--top=two"_s, u"-o"_s, u"out.nc"_s, u"in.nc"_s};
        QTest::newRow("negative") << QStringList{u"--bottom=-1"_s, u"-o"_s, u"out.nc"_s,
                                                 u"in.nc"_s};
        QTest::newRow("no folder") << QStringList{u"-o"_s, u"no/such/out.nc"_s, u"in.nc"_s};
    }

    void usageErrorsAndUnwritableOutputsExitWithTwo()
    {
        QFETCH(QStringList, arguments);
        write(u"in.nc"_s, "N1\n");
        for (QString& argument : arguments)
            argument = argument.endsWith(u".nc"_s) ? path(argument) : argument;
        QString errors;
        QCOMPARE(run(arguments, &errors), 2);
        QVERIFY(!errors.isEmpty());
        QVERIFY(!QFile::exists(path(u"out.nc"_s)));
    }

private:
    int run(const QStringList& arguments, QString* errors = nullptr)
    {
        QProcess process;
        process.start(QStringLiteral(CORVANE_MERGE_PATH), arguments);
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        if (errors)
            *errors = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode();
    }

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

    QByteArray read(const QString& name) const { return readTestFile(path(name)); }
    QString path(const QString& name) const { return m_folder->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_folder;
};

QTEST_GUILESS_MAIN(CorvaneMergeTest)
#include "CorvaneMergeTest.moc"
