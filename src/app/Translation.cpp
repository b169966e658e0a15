#include "Translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace {

bool install(QCoreApplication& application, const QLocale& language, const QString& name,
             const QString& folder)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(language, name, u"_"_s, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

bool installTranslations(QCoreApplication& application, const QLocale& system)
{
    if (system.language() == QLocale::English)
        return install(application, QLocale(QLocale::English), u"corvane"_s, u":/i18n"_s);
    return install(application, QLocale(QLocale::Korean), u"qtbase"_s,
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
