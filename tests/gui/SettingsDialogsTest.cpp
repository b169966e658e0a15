#include "GuiTestEnvironment.h"
#include "core/plate/ToolOrder.h"
#include "core/settings/Settings.h"
#include "merge/MergePreviewDialog.h"
#include "tools/DlgToolConfig.h"
#include "ui/AboutDlg.h"
#include "ui/ConfigDlg.h"
#include "ui/FileOptDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

class SettingsDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env.emplace();
        m_env->write(u"Mill.tlist"_s, "");
        m_env->write(u"Fanuc.tlist"_s, "");
        GetSettings().FANUCToolList = "FANUC.TLIST";
        GetSettings().HToolList = "Gone.tlist";
        GetSettings().MVRZval = 1000.005;
    }

    void cleanup()
    {
        m_config.reset();
        m_env.reset();
    }

    // Every dialog, OK and Cancel included, fits a screen of 1280 x 720 with its title bar.
    void everyDialogFitsASmallScreen()
    {
        const MergeReport plan;
        const std::vector<SeamFinding> findings;
        openConfig();
        CFileOptDlg options;
        CDlgToolConfig tools(m_env->app);
        CAboutDlg about;
        MergePreviewDialog preview(plan, findings);
        for (QDialog* dialog :
             std::initializer_list<QDialog*>{m_config.get(), &options, &tools, &about, &preview}) {
            const QSize size = dialog->size().expandedTo(dialog->minimumSizeHint());
            QVERIFY2(size.width() <= 1280 && size.height() <= 690,
                     qPrintable(dialog->windowTitle() + u" "_s + QString::number(size.height())));
        }
    }

    void okWithoutChangesStoresTheSameValues()
    {
        openConfig();
        config<QLineEdit>(u"rowsEdit"_s)->setText(u"2"_s);
        m_config->reject();
        QVERIFY(m_env->profile.size() == 0);

        openConfig();
        QCOMPARE(config<QComboBox>(u"fanucToolListCombo"_s)->currentText(), u"Fanuc.tlist"_s);
        // A stored list that is gone gives way to the first one.
        QCOMPARE(config<QComboBox>(u"heidenhainToolListCombo"_s)->currentText(), u"Fanuc.tlist"_s);
        config<QPlainTextEdit>(u"firstLineEdit"_s)->setPlainText(u"헤더"_s);
        m_config->accept();

        QVERIFY(m_env->platform.messages.isEmpty());
        const CSettings& settings = GetSettings();
        QCOMPARE(settings.RowNum, 5);
        QCOMPARE(settings.MVRZval, double(1000.005f)); // the offset passes through a float
        QCOMPARE(m_env->profile.readInt("Settings", "MVRZval", 0), 1000005u);
        QCOMPARE(settings.MVRCenZval, 50.0);
        QCOMPARE(settings.FANUCToolList, std::string("Fanuc.tlist"));
        QCOMPARE(settings.HToolList, std::string("Fanuc.tlist"));
        QCOMPARE(m_env->profile.readString("Settings", "First_Line", ""), std::string("헤더"));
    }

    // The merge order and the restart's retract are stored; the retract keeps its lines, and
    // one that does more than move Z up is refused with the line that does.
    void theMergeOrderIsASetting()
    {
        openConfig();
        QVERIFY(config<QRadioButton>(u"cellOrderRadio"_s)->isChecked());
        QCOMPARE(config<QPlainTextEdit>(u"retractEdit"_s)->toPlainText(), u"G91 G28 Z0.\nG90"_s);
        config<QRadioButton>(u"toolOrderRadio"_s)->click();
        config<QPlainTextEdit>(u"retractEdit"_s)->setPlainText(u"G53 Z0\nG00 Z-100.\nG90"_s);
        m_config->accept();
        QVERIFY(m_config->isVisible());
        QVERIFY2(m_env->platform.messageTexts().join(u"\n"_s).contains(
                     u"재시작 전 후퇴에 쓸 수 없는 블록이 있습니다: G00 Z-100."_s),
                 qPrintable(m_env->platform.messageTexts().join(u"\n"_s)));
        QCOMPARE(GetSettings().MergeOrder, 0);

        config<QPlainTextEdit>(u"retractEdit"_s)->setPlainText(u"G53 Z0\n  G90 \n"_s);
        m_config->accept();
        QCOMPARE(GetSettings().MergeOrder, 1);
        QCOMPARE(m_env->profile.readString("Settings", "FANUCRetract", ""),
                 std::string("G53 Z0\n  G90 \n"));
        QCOMPARE(retractLines(GetSettings().FANUCRetract),
                 (std::vector<std::string>{"G53 Z0", "G90"}));

        openConfig();
        QVERIFY(config<QRadioButton>(u"toolOrderRadio"_s)->isChecked());
        QVERIFY(!config<QRadioButton>(u"cellOrderRadio"_s)->isChecked());
        QVERIFY(config<QRadioButton>(u"fanucRadio"_s)->isChecked()); // another group's choice
    }

    // The settings this version keeps without acting on them say so beside them; the ones that
    // act do not.
    void settingsThatDoNothingSaySo()
    {
        openConfig();
        QStringList marked;
        for (const QLabel* note : m_config->findChildren<QLabel*>(u"notUsedNote"_s)) {
            QVERIFY(!note->toolTip().isEmpty());
            for (const QWidget* control : note->parentWidget()->findChildren<QWidget*>())
                if (control != note && !control->objectName().isEmpty() &&
                    control->parentWidget() == note->parentWidget()) {
                    QCOMPARE(control->toolTip(), note->toolTip());
                    marked.append(control->objectName());
                }
        }
        marked.sort();
        QCOMPARE(marked,
                 (QStringList{u"deleteFinalFolderCheck"_s, u"deleteFoldersCheck"_s,
                              u"endLineEdit"_s, u"firstLineEdit"_s, u"limitEdit"_s,
                              u"mvrCentreEdit"_s, u"mvrOffsetEdit"_s, u"openNcDataCheck"_s}));
    }

    void outOfRangeValuesAreRefusedAndNothingStored_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("tables 11")
            << u"tablesEdit"_s << u"11"_s << u"1에서 10 사이의 정수를 입력하십시오."_s;
        QTest::newRow("offset") << u"mvrOffsetEdit"_s << u"deep"_s << u"숫자를 입력하십시오."_s;
    }

    void outOfRangeValuesAreRefusedAndNothingStored()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        openConfig();
        config<QPlainTextEdit>(u"endLineEdit"_s)->setPlainText(u"changed"_s);
        config<QLineEdit>(u"columnsEdit"_s)->setText(u"2"_s);
        config<QLineEdit>(field)->setText(value);
        m_config->accept();
        QCOMPARE(m_env->platform.messageTexts(), QStringList{u"Corvane: "_s + message});
        QCOMPARE(GetSettings().ColumnNum, 8);
        QVERIFY(GetSettings().End_Line != "changed");
        QVERIFY(m_env->profile.size() == 0);
        QVERIFY(m_config->isVisible());
    }

    void mergeOptionsCheckAndKeepTheirValues()
    {
        CFileOptDlg refused;
        child<QLineEdit>(&refused, u"deleteTopEdit"_s)->setText(u"7"_s);
        child<QLineEdit>(&refused, u"deleteBottomEdit"_s)->setText(u"101"_s);
        refused.accept();
        QCOMPARE(GetSettings().DEL_UP, 0);

        m_env->platform.messages.clear();
        CFileOptDlg dialog;
        child<QLineEdit>(&dialog, u"extensionEdit"_s)->setText(u".TXT;.nc"_s);
        child<QLineEdit>(&dialog, u"deleteTopEdit"_s)->setText(u"3"_s);
        // The preview once skipped can be brought back here.
        QCheckBox* skip = child<QCheckBox>(&dialog, u"skipCleanPreviewCheck"_s);
        QVERIFY(!skip->isChecked());
        skip->setChecked(true);
        dialog.accept();
        QCOMPARE(
            m_env->platform.messageTexts(),
            QStringList{u"Tessaly: Changes to take effect, you must run the program again."_s});
        QCOMPARE(GetSettings().EXTLIST, std::string(".TXT;.nc"));
        QCOMPARE(GetSettings().DEL_UP, 3);
        // Stored at once: a crash later loses nothing.
        QCOMPARE(m_env->profile.readInt("Settings", "DEL_UP", 0), 3u);
        QCOMPARE(m_env->profile.readInt("Settings", "SkipCleanPreview", 0), 1u);

        CFileOptDlg cancelled;
        child<QLineEdit>(&cancelled, u"deleteTopEdit"_s)->setText(u"9"_s);
        cancelled.reject();
        QCOMPARE(GetSettings().DEL_UP, 3);
    }

private:
    template <typename T> static T* child(QWidget* dialog, const QString& name)
    {
        T* widget = dialog->findChild<T*>(name);
        if (!widget)
            qFatal("no %s", qPrintable(name));
        return widget;
    }

    void openConfig()
    {
        m_config = std::make_unique<CConfigDlg>(m_env->app);
        m_config->show();
    }

    template <typename T> T* config(const QString& name) { return child<T>(m_config.get(), name); }

    std::optional<GuiTestEnvironment> m_env;
    std::unique_ptr<CConfigDlg> m_config;
};

QTEST_MAIN(SettingsDialogsTest)
#include "SettingsDialogsTest.moc"
