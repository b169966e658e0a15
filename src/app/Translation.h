#pragma once

class QCoreApplication;
class QLocale;

// The program's language, chosen by the system's: English under an English system language,
// Korean, the language of the source texts, under any other and under the C or POSIX locale.
// Under Korean Qt's own texts (standard buttons, file dialogs) are Korean too, where Qt's
// translation is installed. False when a translation was wanted but could not be loaded.
bool installTranslations(QCoreApplication& application, const QLocale& system);
