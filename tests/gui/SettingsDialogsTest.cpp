#include "AboutDlg.h"
#include "ConfigDlg.h"
#include "FileOptDlg.h"
#include "GuiTestEnvironment.h"
#include "QuorApp.h"
#include "Settings.h"
#include "TestFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class SettingsDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void okWithoutChangesStoresTheSameValues();
    void restartMessageFollowsTheChangedKeys();
    void outOfRangeValuesAreRefusedAndNothingStored_data();
    void outOfRangeValuesAreRefusedAndNothingStored();
    void numberingModeAndFolderDeletionSwitchTheirControls();
    void cancelKeepsEverything();
    void mergeOptionsShowEditAndCheckTheirValues();
    void aboutBoxShowsTheVersion();

private:
    template <typename T> T* child(QWidget* dialog, const QString& name)
    {
        T* widget = dialog->findChild<T*>(name);
        if (!widget)
            qFatal("no %s", qPrintable(name));
        return widget;
    }
    void openConfig()
    {
        m_config = std::make_unique<CConfigDlg>(*m_app);
        m_config->show();
    }
    template <typename T> T* config(const QString& name) { return child<T>(m_config.get(), name); }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<GuiTestEnvironment> m_env;
    std::unique_ptr<CQuorApp> m_app;
    std::unique_ptr<CConfigDlg> m_config;
};

void SettingsDialogsTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    writeTestFile(m_folder->filePath(u"Mill.tlist"_s), "");
    writeTestFile(m_folder->filePath(u"Fanuc.tlist"_s), "");
    m_env = std::make_unique<GuiTestEnvironment>();
    m_app = std::make_unique<CQuorApp>();
    m_app->m_strExeFolder = m_folder->path().toStdString();
    GetSettings().FANUCToolList = "FANUC.TLIST";
    GetSettings().HToolList = "Gone.tlist";
    GetSettings().MVRZval = 4.007;
}

void SettingsDialogsTest::cleanup()
{
    m_config.reset();
    m_app.reset();
    m_env.reset();
    m_folder.reset();
}

void SettingsDialogsTest::okWithoutChangesStoresTheSameValues()
{
    openConfig();
    QCOMPARE(m_config->windowTitle(), u"환경 설정 창"_s);
    QCOMPARE(config<QCheckBox>(u"percentLinesCheck"_s)->text(), u"파일 앞뒤에  \" % \" 표시"_s);
    QCOMPARE(config<QComboBox>(u"fanucToolListCombo"_s)->currentText(), u"Fanuc.tlist"_s);
    // A stored list that is gone gives way to the first one.
    QCOMPARE(config<QComboBox>(u"heidenhainToolListCombo"_s)->currentText(), u"Fanuc.tlist"_s);
    config<QPlainTextEdit>(u"firstLineEdit"_s)->setPlainText(u"헤더"_s);
    m_config->accept();

    QVERIFY(m_env->platform.messages.isEmpty());
    const CSettings& settings = GetSettings();
    QCOMPARE(settings.First_Line, std::string("헤더"));
    QCOMPARE(settings.RowNum, 5);
    QCOMPARE(settings.LimitValue, 10000000);
    QCOMPARE(settings.MVRZval, double(4.007f)); // the offset passes through single precision
    QCOMPARE(settings.MVRCenZval, 50.0);
    QCOMPARE(settings.FANUCToolList, std::string("Fanuc.tlist"));
    QCOMPARE(settings.HToolList, std::string("Fanuc.tlist"));
    QCOMPARE(m_env->profile.readString("Settings", "First_Line", ""), std::string("헤더"));
}

void SettingsDialogsTest::restartMessageFollowsTheChangedKeys()
{
    const QString restart =
        u"Corvane: 수정된 것을 반영하기 위해서는 프로그램을 종료하고 다시 시작해야 합니다."_s;
    openConfig();
    config<QLineEdit>(u"rowsEdit"_s)->setText(u"6"_s);
    m_config->accept();
    QCOMPARE(m_env->platform.messageTexts(), QStringList{restart});
    QCOMPARE(m_env->platform.messages[0].icon, Platform::Icon::Information);
    QCOMPARE(GetSettings().RowNum, 6);

    m_env->platform.messages.clear();
    m_app->m_JobFiles.RegisterJobFile("/jobs/a.nc");
    openConfig();
    config<QCheckBox>(u"posCheck"_s)->click();
    config<QLineEdit>(u"columnsEdit"_s)->setText(u"3"_s);
    m_config->accept();
    QCOMPARE(m_env->platform.messageTexts(), QStringList({restart, restart}));
}

void SettingsDialogsTest::outOfRangeValuesAreRefusedAndNothingStored_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("rows 0") << u"rowsEdit"_s << u"0"_s
                            << u"Please enter an integer between 1 and 10."_s;
    QTest::newRow("tables 11") << u"tablesEdit"_s << u"11"_s
                               << u"Please enter an integer between 1 and 10."_s;
    QTest::newRow("limit 0") << u"limitEdit"_s << u"0"_s
                             << u"Please enter an integer between 1 and 1000000000."_s;
    QTest::newRow("offset") << u"mvrOffsetEdit"_s << u"deep"_s << u"Please enter a number."_s;
}

void SettingsDialogsTest::outOfRangeValuesAreRefusedAndNothingStored()
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

void SettingsDialogsTest::numberingModeAndFolderDeletionSwitchTheirControls()
{
    GetSettings().ItemNameType = 1;
    GetSettings().SIMENS = 1;
    openConfig();
    auto* general = config<QRadioButton>(u"generalRadio"_s);
    auto* simens = config<QRadioButton>(u"simensRadio"_s);
    QVERIFY(!general->isEnabled() && !simens->isEnabled());
    QVERIFY(!general->isChecked() && !simens->isChecked());
    config<QCheckBox>(u"numberingCheck"_s)->click();
    QVERIFY(general->isEnabled() && simens->isChecked());
    general->click();
    QVERIFY(general->isChecked() && !simens->isChecked());

    auto* finalFolder = config<QCheckBox>(u"deleteFinalFolderCheck"_s);
    finalFolder->setChecked(true);
    config<QCheckBox>(u"deleteFoldersCheck"_s)->click();
    QVERIFY(finalFolder->isHidden());
    m_config->accept();
    QCOMPARE(GetSettings().Del_Folder, 0);
    QCOMPARE(GetSettings().Del_FinalFolder, 0);
    QCOMPARE(GetSettings().ItemNameType, 0);
    QCOMPARE(GetSettings().SIMENS, 0);
}

void SettingsDialogsTest::cancelKeepsEverything()
{
    openConfig();
    config<QLineEdit>(u"rowsEdit"_s)->setText(u"2"_s);
    config<QCheckBox>(u"percentLinesCheck"_s)->click();
    config<QRadioButton>(u"heidenhainRadio"_s)->click();
    m_config->reject();
    QCOMPARE(GetSettings().RowNum, 5);
    QCOMPARE(GetSettings().PER_STR, 0);
    QCOMPARE(GetSettings().MachineType, 0);
    QVERIFY(m_env->profile.size() == 0);
}

void SettingsDialogsTest::mergeOptionsShowEditAndCheckTheirValues()
{
    auto dialog = std::make_unique<CFileOptDlg>();
    QCOMPARE(dialog->windowTitle(), u"Tessaly Option"_s);
    QCOMPARE(child<QLineEdit>(dialog.get(), u"textSizeEdit"_s)->text(), u"20"_s);
    QCOMPARE(child<QLineEdit>(dialog.get(), u"extensionEdit"_s)->text(), u".txt;.nc"_s);
    QCOMPARE(child<QLineEdit>(dialog.get(), u"logoAlphaEdit"_s)->text(), u"127"_s);

    for (auto [field, value, message] :
         {std::tuple{u"textSizeEdit"_s, u"0"_s, u"Please enter an integer between 1 and 100."_s},
          {u"textSizeEdit"_s, u"101"_s, u"Please enter an integer between 1 and 100."_s},
          {u"deleteBottomEdit"_s, u"101"_s, u"Please enter an integer between 0 and 100."_s},
          {u"logoAlphaEdit"_s, u"256"_s, u"Please enter an integer between 0 and 255."_s},
          {u"logoAlphaEdit"_s, u"half"_s, u"Please enter an integer."_s}}) {
        auto refused = std::make_unique<CFileOptDlg>();
        child<QLineEdit>(refused.get(), u"deleteTopEdit"_s)->setText(u"7"_s);
        child<QLineEdit>(refused.get(), field)->setText(value);
        m_env->platform.messages.clear();
        refused->accept();
        QCOMPARE(m_env->platform.messageTexts(), QStringList{u"Corvane: "_s + message});
        QCOMPARE(GetSettings().DEL_UP, 0);
    }

    m_env->platform.messages.clear();
    child<QLineEdit>(dialog.get(), u"extensionEdit"_s)->setText(u".TXT;.nc"_s);
    child<QLineEdit>(dialog.get(), u"deleteTopEdit"_s)->setText(u"3"_s);
    child<QLineEdit>(dialog.get(), u"logoAlphaEdit"_s)->setText(u"255"_s);
    dialog->accept();
    QCOMPARE(m_env->platform.messageTexts(),
             QStringList{u"Tessaly: Changes to take effect, you must run the program again."_s});
    QCOMPARE(m_env->platform.messages[0].icon, Platform::Icon::None);
    QCOMPARE(GetSettings().EXTLIST, std::string(".TXT;.nc"));
    QCOMPARE(GetSettings().DEL_UP, 3);
    QCOMPARE(GetSettings().LOGOALPHA, 255);
    QVERIFY(m_env->profile.size() == 0); // kept in memory, saved with the rest

    auto cancelled = std::make_unique<CFileOptDlg>();
    child<QLineEdit>(cancelled.get(), u"deleteTopEdit"_s)->setText(u"9"_s);
    cancelled->reject();
    QCOMPARE(GetSettings().DEL_UP, 3);
}

void SettingsDialogsTest::aboutBoxShowsTheVersion()
{
    CAboutDlg about;
    QCOMPARE(about.windowTitle(), u"Corvane 정보"_s);
    QVERIFY(!about.findChild<QLabel*>(u"iconLabel"_s)->pixmap().isNull());
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>())
        texts.append(label->text());
    QVERIFY(texts.contains(u"Version 3.0"_s));
    const QList<QPushButton*> buttons = about.findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), 1);
    QCOMPARE(buttons[0]->text(), u"확인"_s);
    QVERIFY(buttons[0]->isDefault());
}

QTEST_MAIN(SettingsDialogsTest)
#include "SettingsDialogsTest.moc"
