#pragma once
// Opening documents and web addresses with the desktop's programs, and the
// probes for the optional components.
#include <QString>
#include <QStringList>

// Opens a local file or a web address with the program the desktop associates with it.
// Only the "Open" operation exists on this platform; parameters and folder are unused.
void fctnShellExec(const QString& operation, const QString& target, const QString& parameters = QStringLiteral("0"),
                   const QString& directory = QStringLiteral("0"), int show = 1);

// The program's web page and its donation address, opened from the Help menu and the About box.
namespace ProgramPages {
QString ProductPage();
QString DonationAddress();
}

namespace Probe {
// The program's data folders (share/qrn) in the order searched: beside bin/ as installed,
// beside the binaries in the build folder, then the configured install prefix.
QStringList DataFolders();
// Folders searched for Hunspell dictionaries.
QStringList DictionaryFolders();
// Tests point the search elsewhere; an empty list restores the usual folders.
void SetDictionaryFolders(const QStringList& folders);
// Installed dictionaries as .dic paths.
QStringList Dictionaries();
// A spelling dictionary is installed.
bool SpellingAvailable();
// The embedded browser was built in.
bool BrowserAvailable();
}
