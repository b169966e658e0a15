#include "app/Translation.h"
#include "GuiTestEnvironment.h"
#include "TestPaths.h"
#include "desktop/UiTexts.h"
#include "ui/MainFrame.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

#include <optional>

using namespace Qt::StringLiterals;

// The program speaks English under an English system language and Korean under every other.
class TranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        m_frame.reset();
        m_env.reset();
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    void anEnglishSystemGetsEnglish()
    {
        QVERIFY(installTranslations(*QCoreApplication::instance(),
                                    QLocale(QLocale::English, QLocale::UnitedKingdom)));
        showWindow();
        QCOMPARE(action(u"actionToolSettings"_s)->text(), u"Tool Settings"_s);
        QCOMPARE(action(u"actionConvert"_s)->text(), u"Convert"_s);
        QCOMPARE(UiTexts::seamRuleReason(SeamRule::ToolChangeCut), u"tool change cut"_s);
        QCOMPARE(UiTexts::enterIntegerBetween(1, 9), u"Enter a whole number from 1 to 9."_s);
        QCOMPARE(cancelButtonText(), u"Cancel"_s);
    }

    void everyOtherSystemKeepsKorean_data()
    {
        QTest::addColumn<QLocale>("system");
        QTest::newRow("Korean") << QLocale(QLocale::Korean);
        QTest::newRow("German") << QLocale(QLocale::German);
        QTest::newRow("C") << QLocale::c();
    }

    void everyOtherSystemKeepsKorean()
    {
        QFETCH(QLocale, system);
        // Qt's own Korean texts are a package of their own; the program's stay Korean anyway.
        const bool qtInKorean = installTranslations(*QCoreApplication::instance(), system);
        showWindow();
        QCOMPARE(action(u"actionToolSettings"_s)->text(), u"공구 설정"_s);
        QCOMPARE(UiTexts::seamRuleReason(SeamRule::ToolChangeCut), u"공구 교환이 잘렸습니다"_s);
        if (qtInKorean)
            QCOMPARE(cancelButtonText(), u"취소"_s);
    }

    // Every text has its English, with the same placeholders, so that no argument goes missing.
    void theEnglishTranslationIsCompleteAndKeepsItsPlaceholders()
    {
        QFile file(QStringLiteral(CORVANE_TRANSLATIONS_DIR "/corvane_en.ts"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        const QRegularExpression placeholder(u"%\\d"_s);
        const auto placeholders = [&](const QString& text) {
            QStringList found;
            for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
                found.append(match.captured());
            found.sort();
            return found;
        };
        int messages = 0;
        QString source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"source") {
                source = xml.readElementText();
            } else if (xml.name() == u"translation") {
                QVERIFY2(xml.attributes().value(u"type"_s).isEmpty(), qPrintable(source));
                const QString translation = xml.readElementText();
                QVERIFY2(!translation.isEmpty(), qPrintable(source));
                QCOMPARE(placeholders(translation), placeholders(source));
                ++messages;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(messages > 150);
    }

private:
    void showWindow()
    {
        m_env.emplace();
        m_frame = std::make_unique<CMainFrame>(m_env->app);
    }

    QAction* action(const QString& name) const { return m_frame->findChild<QAction*>(name); }

    static QString cancelButtonText()
    {
        QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::Cancel);
        return buttons.button(QDialogButtonBox::Cancel)->text();
    }

    std::optional<GuiTestEnvironment> m_env;
    std::unique_ptr<CMainFrame> m_frame;
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
