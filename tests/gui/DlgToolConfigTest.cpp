#include "tools/DlgToolConfig.h"
#include "GuiTestEnvironment.h"
#include "core/settings/Settings.h"
#include "desktop/Cp949.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <fstream>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kHeader = "!!!Tool List\r\n!1\t2\t3\t4\t5\t6\t7\t8\t9\r\n"
                           "!Tool\tTolMin\tTolMax\tM078\tSpindle\tFeed\tDT\tCAL\tDL\r\n";
const QByteArray kListA = kHeader + "T1,10 Flat,-0.01,0.01,M08,8000,1200,0,O,0\r\n"
                                    "T2,6 Ball,-0.01,0.01,M07,12000,900,0,X,0\r\n";
// Code page 949: "황삭" (roughing) as the tool info of T7.
const QByteArray kListB = kHeader + "T7,\xC8\xB2\xBB\xE8,0,0,M08,1,2,3,O,4\r\n";

} // namespace

class DlgToolConfigTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env.emplace();
        m_app = &m_env->app;
        m_app->m_strToolListName = "B.tlist";
        m_env->write(u"A.tlist"_s, kListA);
        m_env->write(u"B.tlist"_s, kListB);
    }

    void cleanup()
    {
        m_dialog.reset();
        m_env.reset();
    }

    void opensTheCurrentListOrTheFirstOrNone()
    {
        open();
        auto* combo = child<QComboBox>(u"toolListCombo"_s);
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentText(), u"B.tlist"_s);
        QCOMPARE(column(0), QStringList{u"1"_s});

        m_app->m_strToolListName = "missing.TLIST";
        open();
        QCOMPARE(child<QComboBox>(u"toolListCombo"_s)->currentText(), u"A.tlist"_s);
        QCOMPARE(m_app->m_strToolListName, std::string("A.tlist"));
        QCOMPARE(column(1), QStringList({u"T1"_s, u"T2"_s}));
    }

    void addDeleteAndSaveInRecordOrder()
    {
        m_app->m_strToolListName = "A.tlist";
        open();
        child<QLineEdit>(u"toolNumberEdit"_s)->setText(u"T3"_s);
        child<QLineEdit>(u"diameterEdit"_s)->setText(u"10"_s);
        child<QLineEdit>(u"radiusEdit"_s)->setText(u"0.5"_s);
        child<QLineEdit>(u"spindleEdit"_s)->setText(u"9000"_s);
        child<QComboBox>(u"coolantCombo"_s)->setEditText(u"M09"_s);
        click(u"addButton"_s);
        QCOMPARE(column(0), QStringList({u"1"_s, u"2"_s, u"3"_s}));
        QCOMPARE(column(2).last(), u"10 R0.5"_s);

        auto* report = child<QTableView>(u"toolReport"_s);
        report->setCurrentIndex(report->model()->index(0, 1));
        click(u"deleteButton"_s);
        QCOMPARE(column(1), QStringList({u"T2"_s, u"T3"_s}));
        QCOMPARE(column(0), QStringList({u"1"_s, u"2"_s}));
        child<QLineEdit>(u"toolNumberEdit"_s)->setText(u"T4"_s);
        click(u"addButton"_s);
        QCOMPARE(column(0).last(), u"3"_s);

        report->sortByColumn(6, Qt::AscendingOrder); // Spindle: by value, not as text
        QCOMPARE(column(6), QStringList({u"9000"_s, u"9000"_s, u"12000"_s}));
        report->sortByColumn(1, Qt::DescendingOrder);
        QCOMPARE(column(1), QStringList({u"T4"_s, u"T3"_s, u"T2"_s}));
        click(u"saveButton"_s);
        QCOMPARE(readTestFile(path(u"A.tlist"_s)),
                 kHeader + "T2,6 Ball,-0.01,0.01,M07,12000,900,0,X,0\r\n"
                           "T3,10 R0.5,0,0,M09,9000,0,0,O,0\r\n"
                           "T4,10 R0.5,0,0,M09,9000,0,0,O,0\r\n");
        QCOMPARE(m_app->m_ToolTable.size(), std::size_t(3));
    }

    // A new name in the list folder becomes the current list; a file in another folder is a
    // copy written there, and the program's lists stay as they are.
    void saveAsWritesWhereTheOperatorChose()
    {
        open();
        m_env->platform.saveAnswers.push_back({path(u"New.tlist"_s), 0});
        click(u"saveAsButton"_s);
        QCOMPARE(m_env->platform.saveRequests[0].folder, m_env->folder.path());
        QCOMPARE(readTestFile(path(u"New.tlist"_s)), kListB);
        QCOMPARE(child<QComboBox>(u"toolListCombo"_s)->currentText(), u"New.tlist"_s);
        QCOMPARE(m_app->m_strToolListName, std::string("New.tlist"));
        QCOMPARE(GetSettings().ToolListName, std::string("New.tlist"));

        QVERIFY(QDir(m_env->folder.path()).mkdir(u"elsewhere"_s));
        m_env->platform.saveAnswers.push_back({path(u"elsewhere/A.tlist"_s), 0});
        click(u"saveAsButton"_s);
        QCOMPARE(readTestFile(path(u"elsewhere/A.tlist"_s)), kListB);
        QCOMPARE(readTestFile(path(u"A.tlist"_s)), kListA);
        QCOMPARE(m_app->m_strToolListName, std::string("New.tlist"));
    }

    // A list that failed to load is never written over with the tools the table still shows.
    void aListThatFailedToLoadIsNotWrittenOver()
    {
        QFile big(path(u"Big.tlist"_s));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(65) << 20));
        big.close();
        open();
        auto* combo = child<QComboBox>(u"toolListCombo"_s);
        m_dialog->OnSelectList(combo->findText(u"Big.tlist"_s));
        QCOMPARE(column(1), QStringList{u"T7"_s}); // the table of B, as it was
        m_env->platform.messages.clear();
        click(u"saveButton"_s);
        QCOMPARE(m_env->platform.messages.size(), 1);
        QVERIFY(!m_env->platform.messages[0].text.contains(u"저장 되었습니다"_s));
        QCOMPARE(QFileInfo(path(u"Big.tlist"_s)).size(), qint64(65) << 20);

        m_dialog->OnSelectList(combo->findText(u"A.tlist"_s));
        click(u"saveButton"_s);
        QCOMPARE(readTestFile(path(u"A.tlist"_s)), kListA);
    }

    // Values the list cannot hold are refused with a word: a number column's non-number, a
    // tool number taken twice, a character outside the list's code page 949.
    void valuesTheListCannotHoldAreRefused()
    {
        open();
        auto* model = child<QTableView>(u"toolReport"_s)->model();
        QVERIFY(!model->setData(model->index(0, 7), u"abc-1.5e"_s));
        QCOMPARE(m_env->platform.messages.size(), 1);
        QCOMPARE(column(7), QStringList{u"2"_s});

        child<QLineEdit>(u"toolNumberEdit"_s)->setText(u"T07"_s);
        click(u"addButton"_s);
        QCOMPARE(column(1), QStringList{u"T7"_s});
        QCOMPARE(m_env->platform.messages.size(), 2);

        model->setData(model->index(0, 2), u"🔧"_s);
        click(u"saveButton"_s);
        QCOMPARE(m_env->platform.messages.size(), 3);
        QCOMPARE(readTestFile(path(u"B.tlist"_s)), kListB);
    }

    // A list named in Korean opens under its name, and the name is kept as the file system's.
    void aListNamedInKoreanOpens()
    {
#ifdef Q_OS_WIN
        // Windows names it in UTF-16, which the program holds in UTF-8.
        m_env->write(u"황삭.tlist"_s, kListA);
        const QByteArray stored = u"황삭.tlist"_s.toUtf8();
#else
        // In code page 949, as Korean Windows named it on a disk brought over.
        const QByteArray stored = "\xC8\xB2\xBB\xE8.tlist";
        std::ofstream(m_env->folder.path().toStdString() + '/' + stored.toStdString(),
                      std::ios::binary)
            << kListA.toStdString();
#endif
        open();
        auto* combo = child<QComboBox>(u"toolListCombo"_s);
        const int index = combo->findText(u"황삭.tlist"_s);
        QVERIFY(index >= 0);
        m_env->platform.messages.clear();
        m_dialog->OnSelectList(index);
        QVERIFY(m_env->platform.messages.isEmpty());
        QCOMPARE(column(1), QStringList({u"T1"_s, u"T2"_s}));
        click(u"saveButton"_s);
        QCOMPARE(QByteArray::fromStdString(m_app->m_strToolListName), stored);
    }

    // Unsaved work survives Enter, and closing or switching lists asks about it first.
    void unsavedChangesAreAskedAbout()
    {
        open();
        child<QLineEdit>(u"toolNumberEdit"_s)->setText(u"T8"_s);
        click(u"addButton"_s);
        QTest::keyClick(child<QLineEdit>(u"diameterEdit"_s), Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        m_dialog->reject(); // Esc, the close button and the close box all come here
        QCOMPARE(m_env->platform.questions.size(), 1);
        QVERIFY(m_dialog->isVisible());

        // Switching lists: saved first, then switched.
        m_env->platform.saveChangesAnswers = {Platform::Answer::Save};
        auto* combo = child<QComboBox>(u"toolListCombo"_s);
        combo->setCurrentIndex(0);
        emit combo->activated(0);
        QCOMPARE(readTestFile(path(u"B.tlist"_s)), kListB + "T8,0 Flat,0,0,M07,0,0,0,O,0\r\n");
        QCOMPARE(column(1), QStringList({u"T1"_s, u"T2"_s}));
        QCOMPARE(GetSettings().ToolListName, std::string("A.tlist"));

        click(u"deleteButton"_s);
        m_env->platform.saveChangesAnswers = {Platform::Answer::Discard};
        m_dialog->reject();
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(readTestFile(path(u"A.tlist"_s)), kListA);
    }

    // A list read without all of its tools is never written back short; only a list that was
    // written becomes the current one.
    void nothingIsSavedThatWouldLoseTools()
    {
        QByteArray many = kHeader;
        for (int i = 0; i < 503; ++i)
            many += "T" + QByteArray::number(i) + "\r\n";
        m_env->write(u"Many.tlist"_s, many);
        m_app->m_strToolListName = "Many.tlist";
        open();
        m_env->platform.messages.clear();
        click(u"saveButton"_s);
        QCOMPARE(m_env->platform.messages.size(), 1);
        QVERIFY(m_env->platform.messages[0].text.contains(u"3개"_s));
        m_env->platform.saveAnswers.push_back({path(u"Copy.tlist"_s), 0});
        click(u"saveAsButton"_s);
        QVERIFY(!QFile::exists(path(u"Copy.tlist"_s)));
        QCOMPARE(readTestFile(path(u"Many.tlist"_s)), many);
        QCOMPARE(child<QComboBox>(u"toolListCombo"_s)->currentText(), u"Many.tlist"_s);
        QCOMPARE(m_app->m_strToolListName, std::string("Many.tlist"));
        QVERIFY(GetSettings().ToolListName != "Copy.tlist");
    }

    // Where Qt has no code page 949 (its Windows builds), the system converts it: the same
    // bytes either way, the letters of code page 949 beyond EUC-KR ("똠") among them.
    void codePage949ConvertsWithoutQt()
    {
        const QList<std::pair<QString, std::string>> pairs = {
            {u"황삭"_s, "\xC8\xB2\xBB\xE8"},
            {u"정삭 R0.5"_s, "\xC1\xA4\xBB\xE8 R0.5"},
            {u"T1 가공"_s, "T1 \xB0\xA1\xB0\xF8"},
            {u"똠방각하"_s, "\x8C\x63\xB9\xE6\xB0\xA2\xC7\xCF"},
            {u"ASCII only"_s, "ASCII only"},
        };
        for (const auto& [text, bytes] : pairs) {
            QCOMPARE(QByteArray::fromStdString(Cp949::encode(text, Cp949::Converter::System)),
                     QByteArray::fromStdString(bytes));
            QCOMPARE(Cp949::decode(bytes, Cp949::Converter::System), text);
            if (Cp949::available() == Cp949::Converter::Qt)
                QCOMPARE(QByteArray::fromStdString(Cp949::encode(text, Cp949::Converter::Qt)),
                         QByteArray::fromStdString(bytes));
        }
    }

    void valuesKeepTheirBytesAndBadRowsAreRefused()
    {
        open();
        QCOMPARE(column(2), QStringList{u"황삭"_s});
        auto* model = child<QTableView>(u"toolReport"_s)->model();
        model->setData(model->index(0, 5), u"정삭"_s);
        click(u"saveButton"_s);
        QCOMPARE(readTestFile(path(u"B.tlist"_s)),
                 kHeader + "T7,\xC8\xB2\xBB\xE8,0,0,\xC1\xA4\xBB\xE8,1,2,3,O,4\r\n");

        m_env->platform.messages.clear();
        model->setData(model->index(0, 3), QString());
        click(u"saveButton"_s);
        QCOMPARE(m_env->platform.messages.size(), 1);

        model->setData(model->index(0, 3), u"0"_s);
        QDir(m_env->folder.path()).mkdir(u"Dir.tlist"_s);
        // A folder named like a list is no list: reported like a missing one, the table kept.
        auto* combo = child<QComboBox>(u"toolListCombo"_s);
        combo->addItem(u"Dir.tlist"_s);
        m_env->platform.saveChangesAnswers = {Platform::Answer::Discard};
        m_dialog->OnSelectList(combo->count() - 1);
        QVERIFY(m_env->platform.messageTexts().contains(
            u"Corvane: 공구 리스트 파일이 존재하지 않습니다."_s));
        QCOMPARE(column(1), QStringList{u"T7"_s});
    }

private:
    void open()
    {
        m_dialog = std::make_unique<CDlgToolConfig>(*m_app);
        new QAbstractItemModelTester(child<QTableView>(u"toolReport"_s)->model(),
                                     QAbstractItemModelTester::FailureReportingMode::QtTest,
                                     m_dialog.get());
        m_dialog->show();
    }

    QString path(const QString& name) const
    {
        return m_env->path(name);
    }
    template <typename T> T* child(const QString& name) const
    {
        return m_dialog->findChild<T*>(name);
    }

    void click(const QString& button)
    {
        child<QPushButton>(button)->click();
    }

    QStringList column(int column) const
    {
        const QAbstractItemModel* model = child<QTableView>(u"toolReport"_s)->model();
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts.append(model->index(row, column).data().toString());
        return texts;
    }

    std::optional<GuiTestEnvironment> m_env;
    JobState* m_app = nullptr;
    std::unique_ptr<CDlgToolConfig> m_dialog;
};

QTEST_MAIN(DlgToolConfigTest)
#include "DlgToolConfigTest.moc"
