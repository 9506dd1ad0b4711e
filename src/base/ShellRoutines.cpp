// Opening files and addresses with the desktop's programs, and the probes for optional parts.
#include "base/ShellRoutines.h"

#include "base/BrowserView.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

void fctnShellExec(const QString& operation, const QString& target, const QString&, const QString&, int)
{
    if (operation.compare(QLatin1String("Open"), Qt::CaseInsensitive) != 0 || target.isEmpty())
        return;
    QUrl url;
    if (QFileInfo(target).isAbsolute() && !target.contains(QLatin1String("://")))
        url = QUrl::fromLocalFile(target);
    else
        url = QUrl::fromUserInput(target);
    QDesktopServices::openUrl(url);
}

namespace Probe {
namespace {
QStringList g_folderOverride;
}

void SetDictionaryFolders(const QStringList& folders)
{
    g_folderOverride = folders;
}

QStringList DataFolders()
{
    const QString app = QCoreApplication::applicationDirPath();
    return {app + QStringLiteral("/../share/qrn"), app + QStringLiteral("/share/qrn"), QStringLiteral(QRN_DATADIR)};
}

QStringList DictionaryFolders()
{
    if (!g_folderOverride.isEmpty())
        return g_folderOverride;
    QStringList folders;
    const QByteArray env = qgetenv("DICPATH");
    if (!env.isEmpty())
        folders += QString::fromLocal8Bit(env).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    folders << QDir::homePath() + QStringLiteral("/.local/share/hunspell") << QStringLiteral("/usr/share/hunspell")
            << QStringLiteral("/usr/share/myspell") << QStringLiteral("/usr/local/share/hunspell");
    return folders;
}

QStringList Dictionaries()
{
    QStringList out;
    for (const QString& folder : DictionaryFolders()) {
        QDir dir(folder);
        const QStringList dics = dir.entryList({QStringLiteral("*.dic")}, QDir::Files | QDir::Readable);
        for (const QString& dic : dics) {
            const QString aff = dir.filePath(QFileInfo(dic).completeBaseName() + QStringLiteral(".aff"));
            if (QFileInfo::exists(aff))
                out << dir.filePath(dic);
        }
    }
    return out;
}

bool SpellingAvailable()
{
    return !Dictionaries().isEmpty();
}

bool BrowserAvailable()
{
    // Only looks for the module; loading it waits for the first preview.
    return !BrowserModule::Path().isEmpty();
}
} // namespace Probe

namespace ProgramPages {
QString DonationAddress()
{
    return QStringLiteral("https://www.paypal.com/xclick/business=donate%40quorlen.org&item_name=Quorlen%20Pro"
                          "&no_shipping=0&no_note=1&tax=0&currency_code=GBP");
}

QString ProductPage()
{
    return QStringLiteral("https://quorlen.org/");
}
} // namespace ProgramPages
