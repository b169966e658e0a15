#pragma once

class QCoreApplication;

// Qt's own texts (standard buttons, file dialogs) in Korean, beside the program's Korean texts.
// False when the translation is not installed: Qt's texts then stay English.
bool installKoreanQtTranslation(QCoreApplication& application);
