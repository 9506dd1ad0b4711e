#include "app/Main.h"

#include "app/Prompter.h"
#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <unistd.h>

bool OptInstance = true;
bool OptFullIns = true;
bool OptNewDoc = true;
QString PendingInsert;

namespace {
bool g_exited = false;
bool g_hasOverride = false;
QString g_override;
QPointer<frmMain> g_main;

bool readBool(const char* key)
{
    return Setting::Bool(QStringLiteral("Config"), QLatin1String(key));
}
} // namespace

void PrepareProcess()
{
    // The embedded browser's sandbox cannot run as root.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

QString CommandLineFromArguments(const QStringList& arguments)
{
    if (arguments.size() < 2 || arguments.at(1).isEmpty())
        return QString();
    return QLatin1Char('"') + arguments.at(1) + QLatin1Char('"');
}

QString CommandLine()
{
    if (g_hasOverride)
        return g_override;
    return CommandLineFromArguments(QCoreApplication::arguments());
}

void SetCommandLineOverride(const QString& commandLine)
{
    g_hasOverride = true;
    g_override = commandLine;
}

void ClearCommandLineOverride()
{
    g_hasOverride = false;
    g_override.clear();
}

bool MainHasExited()
{
    return g_exited;
}

frmMain* MainWindow()
{
    return g_main.data();
}

QString fctnLongPath(const QString& path)
{
    if (path.isEmpty())
        return QString();
    return QFileInfo(path).canonicalFilePath();
}

void ReportStartupError(const QString& message)
{
    MsgBox(message, MsgButtons::OKOnly, MsgIcon::Exclamation);
}

void Main()
{
    g_exited = false;
    const QString commandLine = CommandLine();

    // 1-2: hand over to a running instance.
    try {
        OptInstance = readBool("Instance");
    } catch (const SettingsError& e) {
        OptInstance = true;
        ReportStartupError(e.message());
    }
    if (OptInstance && SingleInstance::OtherInstanceRunning()) {
        if (!commandLine.isEmpty())
            SaveSetting(QStringLiteral("Config"), QStringLiteral("Command"), commandLine);
        if (SingleInstance::ActivateRunningInstance()) {
            g_exited = true;
            return;
        }
    }

    // 3: splash.
    frmSplash* splash = nullptr;
    try {
        if (readBool("Splash")) {
            splash = new frmSplash;
            splash->show();
            splash->repaint();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    } catch (const SettingsError& e) {
        ReportStartupError(e.message());
    }

    // 4
    PendingInsert.clear();

    // 6: working folder.
    try {
        const QString home = QDir::homePath();
        const QString dir = Setting::String(QStringLiteral("Config"), QStringLiteral("WorkDir"));
        const bool hasFile = !dir.isEmpty() && !QDir(dir).entryList(QDir::Files | QDir::Hidden).isEmpty();
        const bool loadDir = Setting::Int(QStringLiteral("Config"), QStringLiteral("LoadDir")) != 0;
        if (!(hasFile && loadDir && QDir::setCurrent(dir)))
            QDir::setCurrent(home);
    } catch (const SettingsError& e) {
        QDir::setCurrent(QDir::homePath());
        ReportStartupError(e.message());
    }

    // 7
    try {
        OptFullIns = readBool("FullIns");
    } catch (const SettingsError& e) {
        OptFullIns = true;
        ReportStartupError(e.message());
    }
    try {
        OptNewDoc = readBool("NewDoc");
    } catch (const SettingsError& e) {
        OptNewDoc = true;
        ReportStartupError(e.message());
    }

    // 8-10
    auto* main = new frmMain;
    main->setAttribute(Qt::WA_DeleteOnClose);
    g_main = main;
    main->Form_Load();
    delete splash;
    main->show();
    main->raise();
}
