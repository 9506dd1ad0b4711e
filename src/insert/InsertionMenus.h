#pragma once
// Fills the eleven drop-down menus of the insertion toolbar and runs their
// entries: the menu is chosen by the button dropped down last, the entry by
// its caption.
#include <QString>

class Workspace;

void InstallInsertionMenus(Workspace* main);
// Runs the entry with this caption of menu 1 to 11 on the active document.
void RunInsertionEntry(int menuIndex, const QString& caption);
