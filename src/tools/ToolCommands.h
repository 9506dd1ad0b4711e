#pragma once
// The Tools and Help menus of the main window: handlers and their wiring.
#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

class Workspace;
class frmDocument;

// Connects the Tools and Help items and every document's preview panels.
void InstallToolCommands(Workspace* main);

namespace ToolCommands {
// Copies the Tools items' enabled states from the main toolbar's buttons.
// While the menu is open "&External Browser" follows "Compress"; otherwise
// it follows its own "External" button, so that button keeps working.
void mnuTools_Click(Workspace* main, bool menuOpen = true);

// Date and time in the locale's short date and its time with seconds.
QString DateText(const QDate& date, const QLocale& locale = QLocale::system());
QString TimeText(const QTime& time, const QLocale& locale = QLocale::system());

void mnuToolsRepeat_Click(Workspace* main);
void mnuToolsDate_Click(Workspace* main);
void mnuToolsTime_Click(Workspace* main);
void mnuToolsCase_Click(Workspace* main, bool upper);
void mnuToolsClip_Click(Workspace* main);
void mnuToolsE_Click(Workspace* main, int index);
void mnuToolsExplorer_Click(Workspace* main);

// The folder the reference pages were installed in; empty when not found.
QString ReferenceFolder();
void mnuHelpHTML_Click(Workspace* main);
void mnuHelpCSS_Click(Workspace* main);
void mnuHelpDonate_Click(Workspace* main);
void mnuHelpNet_Click(Workspace* main);

}
