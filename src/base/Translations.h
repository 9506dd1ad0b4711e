#pragma once
// The user interface in the desktop's language.
#include <QString>

// Installs Qt's own translation (qtbase_<language>) and the program's (qrn_<language>, from
// share/qrn/translations) for the system locale, which follows LC_ALL, LC_MESSAGES, LANG and
// LANGUAGE. Call once QApplication exists and before any window is made. An English or "C"
// locale, or a language without a translation of the program, changes nothing.
// Returns the language loaded ("de"), or an empty string.
QString InstallTranslations();
