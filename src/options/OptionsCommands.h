#pragma once
// Tools > Options and Help > About of the main window.
class frmMain;

// Connects mnuToolsOptions and mnuHelpAbout of the main window.
void InstallOptionsCommands(frmMain* main);

void mnuToolsOptions_Click(frmMain* main);
void mnuHelpAbout_Click(frmMain* main);
