#pragma once
// Start-up: the process entry routine and the application-wide values.
#include <QString>

class frmMain;

// Before QApplication exists: environment the embedded browser needs.
void PrepareProcess();
// Start-up routine; returns once the main window is shown, or at once when
// this start handed its command line to a running instance.
void Main();
// True when this start handed over and must end without a window.
bool MainHasExited();


// The command line as the file manager passes it: empty, or the files in double quotes.
QString CommandLine();
// Tests set the command line Main sees; an unset override means the real arguments.
void SetCommandLineOverride(const QString& commandLine);
void ClearCommandLineOverride();
// Several files: each in double quotes, one per line.
QString CommandLineFromArguments(const QStringList& arguments);
QStringList CommandLineFiles(const QString& commandLine);

// The absolute, symlink-resolved path of an existing file; empty when it cannot be had.
QString fctnLongPath(const QString& path);
// Closes the splash window, if shown: before anything asks the user a question.
void HideSplash();
// The main window of this process (null before Main and after it closed).
frmMain* MainWindow();
class SettingsError;
struct SettingKey;
// Start-up reports a failing step as "error number: description". While start-up
// runs the reports are gathered and shown together once the window is up.
void ReportStartupError(const QString& message);
void ReportStartupError(const SettingsError& error);
// "Config" values read at start-up: a value of the wrong kind is reported and its default used.
bool StartupBool(const SettingKey& key);
int StartupInt(const SettingKey& key);
double StartupFloat(const SettingKey& key);
