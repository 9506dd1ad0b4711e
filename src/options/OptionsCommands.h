#pragma once
// Tools > Options and Help > About of the main window.
class Workspace;

// Connects mnuToolsOptions and mnuHelpAbout of the main window.
void InstallOptionsCommands(Workspace* main);

void mnuToolsOptions_Click(Workspace* main);
void mnuHelpAbout_Click(Workspace* main);
