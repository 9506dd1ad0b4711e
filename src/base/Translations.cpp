// Qt's and the program's translations for the desktop's language.
#include "base/Translations.h"

#include "base/ShellRoutines.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

QString InstallTranslations()
{
    // The texts in the code are English: an English or "C" locale looks for no file at all,
    // so that start-up stays as fast as it was.
    const QLocale locale = QLocale::system();
    const QStringList languages = locale.uiLanguages();
    if (locale.language() == QLocale::C || languages.isEmpty())
        return QString();
    const QLocale::Language first = QLocale(languages.first()).language();
    if (first == QLocale::English || first == QLocale::C)
        return QString();

    auto* ours = new QTranslator(QCoreApplication::instance());
    bool found = false;
    for (const QString& data : Probe::DataFolders()) {
        found = ours->load(locale, QStringLiteral("qrn"), QStringLiteral("_"), data + QStringLiteral("/translations"));
        if (found)
            break;
    }
    if (!found) {
        // Qt's dialog buttons alone in another language would only mix two languages.
        delete ours;
        return QString();
    }
    // Qt's own texts in the same language: standard buttons, file and font dialogs.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QLocale(ours->language()), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    // Installed last, so it is asked first.
    QCoreApplication::installTranslator(ours);
    return ours->language();
}
