#pragma once
// The Tools and Help menus of the main window: handlers and their wiring.
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

class frmMain;
class frmDocument;

// Connects the Tools and Help items and every document's preview panels.
void InstallToolCommands(frmMain* main);

namespace ToolCommands {
// Copies the Tools items' enabled states from the main toolbar's buttons.
// While the menu is open "&External Browser" follows "Compress"; otherwise
// it follows its own "External" button, so that button keeps working.
void mnuTools_Click(frmMain* main, bool menuOpen = true);

// Date and time in the locale's short date and its time with seconds.
QString DateText(const QDate& date, const QLocale& locale = QLocale::system());
QString TimeText(const QTime& time, const QLocale& locale = QLocale::system());

void mnuToolsRepeat_Click(frmMain* main);
void mnuToolsDate_Click(frmMain* main);
void mnuToolsTime_Click(frmMain* main);
void mnuToolsCase_Click(frmMain* main, bool upper);
void mnuToolsClip_Click(frmMain* main);
void mnuToolsE_Click(frmMain* main, int index);
void mnuToolsExplorer_Click(frmMain* main);

// The folder the reference pages were installed in; empty when not found.
QString ReferenceFolder();
void mnuHelpHTML_Click(frmMain* main);
void mnuHelpCSS_Click(frmMain* main);
void mnuHelpDonate_Click(frmMain* main);
void mnuHelpNet_Click(frmMain* main);

QString DonationAddress();
QString ProductPage();
}
