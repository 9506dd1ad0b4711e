// The program's entry point.
#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

#include "app/Main.h"
#include "app/frmMain.h"
#include "base/Translations.h"

namespace {
double residentMB()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * 4096.0 / (1024 * 1024) : 0;
}

// The arguments less the options every Qt program takes, which QApplication reads
// from the command line itself (-style fusion, -platform offscreen, -reverse...).
QStringList withoutQtOptions(const QStringList& args)
{
    static const QStringList withValue = {"platform", "platformpluginpath", "platformtheme", "plugin",
                                          "qwindowgeometry", "qwindowicon", "qwindowtitle", "style",
                                          "stylesheet", "session", "display", "geometry", "title", "name"};
    static const QStringList flags = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
    QStringList ours = args.mid(0, 1);
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--")) {
            ours += args.mid(i);
            break;
        }
        const QString option = a.startsWith(QLatin1String("--")) ? a.mid(2) : a.startsWith(QLatin1Char('-')) ? a.mid(1) : QString();
        const QString name = option.section(QLatin1Char('='), 0, 0);
        if (flags.contains(name))
            continue;
        if (withValue.contains(name)) {
            i += option.contains(QLatin1Char('=')) ? 0 : 1;
            continue;
        }
        ours << a;
    }
    return ours;
}

// Reads --help, --version and the file to open before any window system is needed.
// Returns -1 to go on, otherwise the exit code.
int parseCommandLine(int argc, char* argv[], QStringList* files)
{
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qrn"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QRN_VERSION));
    const QStringList args = QCoreApplication::arguments();
    // A single argument naming an existing file is the file, even when it starts with "-".
    if (args.size() == 2 && QFileInfo(args.at(1)).isFile()) {
        *files = args.mid(1);
        return -1;
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quorlen, an editor for web pages."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("The files to open, each in a document of its own."),
                                 QStringLiteral("[files...]"));
    if (!parser.parse(withoutQtOptions(args))) {
        std::fprintf(stderr, "qrn: %s\n%s", qPrintable(parser.errorText()), qPrintable(parser.helpText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        if (parser.isSet(QStringLiteral("help-all")))
            std::fputs("\nThe options every Qt program takes, among them:\n"
                       "  -platform <name>, -platformtheme <name>, -style <style>, -stylesheet <file>,\n"
                       "  -reverse, -display <display>, -qwindowgeometry <geometry>, -qwindowtitle <title>\n",
                       stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("Quorlen (qrn) %s\n", QRN_VERSION);
        return 0;
    }
    *files = parser.positionalArguments();
    return -1;
}
// For the start-up benchmark: report once the first window (the main window, or the
// new-page wizard that comes before it on a first run) is on screen, then end.
void ExitWhenShown()
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            const QString name = w->objectName();
            if ((name == QLatin1String("frmMain") || name == QLatin1String("frmNew")) && w->windowHandle() &&
                w->windowHandle()->isExposed()) {
                std::printf("shown %.0f %s\n", residentMB(), qPrintable(name));
                std::fflush(stdout);
                std::_Exit(0);
            }
        }
    });
    poll->start(1);
}
} // namespace

int main(int argc, char* argv[])
{
    QStringList files;
    const int code = parseCommandLine(argc, argv, &files);
    if (code >= 0)
        return code;
    PrepareProcess();
    QApplication app(argc, argv);
    InstallTranslations();
    // Start-up may change the working folder, so relative names are made absolute first.
    QStringList arguments = {QString()};
    for (const QString& file : files)
        arguments << (file.isEmpty() ? file : QFileInfo(file).absoluteFilePath());
    SetCommandLineOverride(CommandLineFromArguments(arguments));
    if (qEnvironmentVariableIsSet("QRN_EXIT_WHEN_SHOWN"))
        ExitWhenShown();
    Main();
    if (MainHasExited())
        return 0;
    return app.exec();
}
