// Start-up: the process entry routine, the command line and the values read before the window.
#include "app/Main.h"

#include "base/Prompter.h"
#include "app/RecoveryOffer.h"
#include "base/Settings.h"
#include "app/SingleInstance.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "insert/InsertionMenus.h"
#include "insert/Snippet.h"
#include "options/OptionsCommands.h"
#include "tools/LivePreview.h"
#include "tools/Sidebar.h"
#include "tools/ToolCommands.h"

#include <QStringList>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <unistd.h>


namespace {
bool g_exited = false;
bool g_hasOverride = false;
QString g_override;
QPointer<frmMain> g_main;
QPointer<frmSplash> g_splash;

template <typename Read, typename Convert>
auto readOrDefault(const SettingKey& key, Read read, Convert convert)
{
    try {
        return read();
    } catch (const SettingsError& e) {
        ReportStartupError(e);
        return convert(Setting::Default(key).toString());
    }
}
} // namespace

void PrepareProcess()
{
    // The embedded browser's sandbox cannot run as root.
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // The browser module needs a shared OpenGL context. Where the window system can
    // make one later, that waits for the first preview; a platform without one of
    // its own (offscreen, as in tests) needs it asked for now.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.startsWith("offscreen") || platform.startsWith("minimal"))
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

// Any program built on this library (tests too) gets the same preparation before main.
static void prepareBeforeMain()
{
    PrepareProcess();
}
Q_CONSTRUCTOR_FUNCTION(prepareBeforeMain)

QString CommandLineFromArguments(const QStringList& arguments)
{
    QStringList quoted;
    for (const QString& file : arguments.mid(1))
        if (!file.isEmpty())
            quoted << QLatin1Char('"') + file + QLatin1Char('"');
    return quoted.join(QLatin1Char('\n'));
}

QStringList CommandLineFiles(const QString& commandLine)
{
    if (commandLine.isEmpty())
        return {};
    QString inner = commandLine;
    if (inner.startsWith(QLatin1Char('"')))
        inner.remove(0, 1);
    if (inner.endsWith(QLatin1Char('"')))
        inner.chop(1);
    // A name may hold quotes of its own; only a quote, a line break and a quote part two names.
    return inner.split(QStringLiteral("\"\n\""));
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

void HideSplash()
{
    delete g_splash.data();
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

namespace {
bool g_gathering = false;
QStringList g_startupMessages;
QStringList g_startupKeys;

void showStartupErrors()
{
    g_gathering = false;
    if (g_startupMessages.isEmpty())
        return;
    QString text = g_startupMessages.join(QLatin1Char('\n'));
    if (!g_startupKeys.isEmpty())
        text += QObject::tr("\n\nThese settings could not be read; their defaults are used: %1.")
                    .arg(g_startupKeys.join(QStringLiteral(", ")));
    g_startupMessages.clear();
    g_startupKeys.clear();
    MsgBox(text, MsgButtons::OKOnly, MsgIcon::Exclamation);
}
} // namespace

void ReportStartupError(const QString& message)
{
    if (!g_gathering) {
        MsgBox(message, MsgButtons::OKOnly, MsgIcon::Exclamation);
        return;
    }
    if (!g_startupMessages.contains(message))
        g_startupMessages << message;
}

void ReportStartupError(const SettingsError& error)
{
    ReportStartupError(error.message());
    if (g_gathering && !error.key().isEmpty() && !g_startupKeys.contains(error.key()))
        g_startupKeys << error.key();
}

bool StartupBool(const SettingKey& key)
{
    return readOrDefault(key, [&] { return Setting::Bool(key); }, SettingText::ToBool);
}

int StartupInt(const SettingKey& key)
{
    return readOrDefault(key, [&] { return Setting::Int(key); }, SettingText::ToInt);
}

double StartupFloat(const SettingKey& key)
{
    return readOrDefault(key, [&] { return Setting::Float(key); }, SettingText::ToFloat);
}

void Main()
{
    g_exited = false;
    g_gathering = true;
    g_startupMessages.clear();
    g_startupKeys.clear();
    const QString commandLine = CommandLine();
    const QString unreadable = SettingsStore::CheckReadable();
    if (!unreadable.isEmpty())
        ReportStartupError(unreadable);

    // 1-2: hand over to a running instance.
    OptInstance = StartupBool(Key::Instance);
    if (OptInstance && SingleInstance::OtherInstanceRunning()) {
        if (!commandLine.isEmpty())
            SaveSetting(Key::Command, commandLine);
        if (SingleInstance::ActivateRunningInstance(commandLine)) {
            g_exited = true;
            g_gathering = false;
            return;
        }
        // The other instance went away: this start opens its own file, so it must not wait
        // in the slot to be opened a second time.
        if (!commandLine.isEmpty() &&
            GetSetting(Key::Command, QString()) == commandLine)
            SaveSetting(Key::Command, QString());
    }

    // 3: splash.
    if (StartupBool(Key::Splash)) {
        auto* splash = new frmSplash;
        g_splash = splash;
        splash->show();
        splash->repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

    // 4
    PendingInsert.clear();

    // 6: working folder.
    const QString dir = Setting::String(Key::WorkDir);
    const bool hasFile = !dir.isEmpty() && !QDir(dir).entryList(QDir::Files | QDir::Hidden).isEmpty();
    const bool loadDir = StartupInt(Key::LoadDir) != 0;
    if (!(hasFile && loadDir && QDir::setCurrent(dir)))
        QDir::setCurrent(QDir::homePath());

    // 7
    OptFullIns = StartupBool(Key::FullIns);
    OptNewDoc = StartupBool(Key::NewDoc);

    // 8-10
    auto* main = new frmMain;
    main->setAttribute(Qt::WA_DeleteOnClose);
    g_main = main;
    Workspace::SetCurrent(main);
    // The rooms below the main window wire their own commands into it.
    InstallInsertionMenus(main);
    InstallSidebar(main);
    InstallOptionsCommands(main);
    InstallToolCommands(main);
    InstallLivePreview(main);
    main->Form_Load();
    HideSplash();
    main->show();
    main->raise();
    showStartupErrors();
    OfferRecovery(main);
}
