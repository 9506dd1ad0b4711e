// The Tools and Help menus' handlers and their wiring.
#include "tools/ToolCommands.h"

#include "tools/BreakLines.h"

#include "base/Prompter.h"
#include "base/ShellRoutines.h"
#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"
#include "document/InsertText.h"
#include "tools/Preview.h"
#include "tools/SpellCheck.h"
#include "tools/Tidy.h"
#include "tools/Tune.h"
#include "tools/frmTidy.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

namespace ToolCommands {
namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("ToolCommands", text);
}

void openReference(Workspace* main, const QString& file, const QString& title)
{
    const QString folder = ReferenceFolder();
    const QString path = folder.isEmpty() ? QString() : folder + file;
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        MsgBox(tr("The %1 could not be found. It is installed in share/qrn/ref with the program.").arg(title),
               MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"), main);
        return;
    }
    fctnShellExec(QStringLiteral("Open"), path);
}
} // namespace

void mnuTools_Click(Workspace* main, bool menuOpen)
{
    const bool compress = main->ToolbarButton(QStringLiteral("Compress"))->isEnabled();
    for (const char* name : {"mnuToolsRepeat", "mnuToolsDate", "mnuToolsTime", "mnuToolsCompress", "mnuToolsBreakLines"})
        main->Action(QLatin1String(name))->setEnabled(compress);
    main->Action(QStringLiteral("mnuToolsBrowser"))
        ->setEnabled(menuOpen ? compress : main->ToolbarButton(QStringLiteral("External"))->isEnabled());
    main->Action(QStringLiteral("mnuToolsSpellCheck"))
        ->setEnabled(main->ToolbarButton(QStringLiteral("Spell"))->isEnabled());
    main->Action(QStringLiteral("mnuToolsTidy"))->setEnabled(main->ToolbarButton(QStringLiteral("Tidy"))->isEnabled());
    main->Menu(QStringLiteral("mnuToolsCase"))
        ->menuAction()
        ->setEnabled(main->ToolbarButton(QStringLiteral("Copy"))->isEnabled());
}

QString DateText(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString TimeText(const QTime& time, const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::ShortFormat);
    // The short format stops at minutes in most locales; the time is given to the second.
    if (!format.contains(QLatin1Char('s'))) {
        const qsizetype minutes = format.indexOf(QLatin1String("mm"));
        if (minutes >= 0)
            format.insert(minutes + 2, QStringLiteral(":ss"));
    }
    return locale.toString(time, format);
}

void mnuToolsRepeat_Click(Workspace* main)
{
    if (CodeMax1* e = main->EditTarget())
        e->ExecuteCmd(CmCmd::RepeatCount);
}

void mnuToolsDate_Click(Workspace* main)
{
    if (CodeMax1* e = main->EditTarget()) {
        QString text = DateText(QDate::currentDate());
        int chars = 0;
        // The caret ends after the inserted text, as with every insertion.
        InsertIntoEditor(e, text, false, chars, 0);
    }
}

void mnuToolsTime_Click(Workspace* main)
{
    if (CodeMax1* e = main->EditTarget()) {
        QString text = TimeText(QTime::currentTime());
        int chars = 0;
        InsertIntoEditor(e, text, false, chars, 0);
    }
}

void mnuToolsCase_Click(Workspace* main, bool upper)
{
    if (CodeMax1* e = main->EditTarget())
        e->ExecuteCmd(upper ? CmCmd::UpperCaseSelection : CmCmd::LowerCaseSelection);
}

void mnuToolsClip_Click(Workspace* main)
{
    frmTidy viewer(main);
    viewer.ShowClipboard();
    Prompter::Current().ExecDialog(&viewer);
}

void mnuToolsE_Click(Workspace* main, int index)
{
    QAction* item = main->Action(QStringLiteral("mnuToolsE%1").arg(index));
    if (!item)
        return;
    const QString exe = item->data().toString();
    if (!exe.isEmpty() && QFileInfo(exe).isFile()) {
        // Tools start in the active document's folder, so they can find the page by name.
        frmDocument* doc = main->ActiveDocument();
        const QString folder =
            doc && doc->HasFile() ? QFileInfo(doc->PathPanel()).absolutePath() : QDir::homePath();
        if (!QProcess::startDetached(exe, {}, folder))
            MsgBox(exe + tr(" could not be started."), MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"),
                   main);
        return;
    }
    const QString question = tr("The '") + item->text() +
                             tr("' tool cannot be found, suggesting a misconfiguration of tools. Do you want to check "
                                "your tool options now?");
    if (MsgBox(question, MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("QRN"), main) == MsgAnswer::Yes)
        main->Action(QStringLiteral("mnuToolsOptions"))->trigger();
}

void mnuToolsExplorer_Click(Workspace*)
{
    fctnShellExec(QStringLiteral("Open"), QDir::currentPath());
}

QString ReferenceFolder()
{
    for (const QString& data : Probe::DataFolders()) {
        const QString c = data + QStringLiteral("/ref");
        if (QFileInfo::exists(c + QStringLiteral("/html.html")))
            return QDir(c).canonicalPath() + QLatin1Char('/');
    }
    return QString();
}

void mnuHelpHTML_Click(Workspace* main)
{
    openReference(main, QStringLiteral("html.html"), tr("HTML reference"));
}

void mnuHelpCSS_Click(Workspace* main)
{
    openReference(main, QStringLiteral("css.html"), tr("CSS reference"));
}

void mnuHelpDonate_Click(Workspace* main)
{
    if (MsgBox(tr("This enables you to donate securely via PayPal. Do you wish to proceed?"), MsgButtons::YesNo,
               MsgIcon::Question, QStringLiteral("Quorlen"), main) == MsgAnswer::Yes)
        fctnShellExec(QStringLiteral("Open"), ProgramPages::DonationAddress(), QStringLiteral("0"), QStringLiteral("0"), 1);
}

void mnuHelpNet_Click(Workspace*)
{
    fctnShellExec(QStringLiteral("Open"), ProgramPages::ProductPage(), QStringLiteral("0"), QStringLiteral("0"), 1);
}
} // namespace ToolCommands

namespace {
// The edit control claims the keys it has bindings for (Ctrl+D duplicates a
// line, Ctrl+T swaps two): the Tools menu's shortcuts must reach the menu.
void freeToolKeys(Workspace* main, CodeMax1* editor)
{
    for (QAction* a : main->Menu(QStringLiteral("mnuTools"))->actions()) {
        if (a->shortcut().isEmpty())
            continue;
        const int key = a->shortcut()[0].toCombined();
        while (QsciCommand* c = editor->standardCommands()->boundTo(key)) {
            if (c->key() == key)
                c->setKey(0);
            if (c->alternateKey() == key)
                c->setAlternateKey(0);
        }
    }
}
} // namespace

void InstallToolCommands(Workspace* main)
{
    using namespace ToolCommands;
    auto on = [main](const char* name, auto handler) {
        QObject::connect(main->Action(QLatin1String(name)), &QAction::triggered, main, [main, handler] { handler(main); });
    };
    on("mnuToolsRepeat", mnuToolsRepeat_Click);
    on("mnuToolsDate", mnuToolsDate_Click);
    on("mnuToolsTime", mnuToolsTime_Click);
    on("mnuToolsCaseUpper", [](Workspace* m) { mnuToolsCase_Click(m, true); });
    on("mnuToolsCaseLower", [](Workspace* m) { mnuToolsCase_Click(m, false); });
    on("mnuToolsClip", mnuToolsClip_Click);
    on("mnuToolsSpellCheck", fctnSpellCheck);
    on("mnuToolsCompress", [](Workspace* m) {
        if (m->EditTarget())
            fctnTune(m->ActiveDocument());
    });
    on("mnuToolsBreakLines", [](Workspace* m) {
        if (m->EditTarget())
            fctnBreakLongLines(m->ActiveDocument());
    });
    on("mnuToolsTidy", Tidy::mnuToolsTidy_Click);
    on("mnuToolsBrowser", [](Workspace* m) { Preview::ExternalBrowser(m, m->ActiveDocument()); });
    on("mnuToolsExplorer", mnuToolsExplorer_Click);
    for (int i = 1; i <= 4; ++i)
        QObject::connect(main->Action(QStringLiteral("mnuToolsE%1").arg(i)), &QAction::triggered, main,
                         [main, i] { mnuToolsE_Click(main, i); });
    on("mnuHelpHTML", mnuHelpHTML_Click);
    on("mnuHelpCSS", mnuHelpCSS_Click);
    on("mnuHelpDonate", mnuHelpDonate_Click);
    on("mnuHelpNet", mnuHelpNet_Click);

    // The items follow their toolbar buttons at all times, so that their
    // shortcuts act only when the command applies.
    QMenu* tools = main->Menu(QStringLiteral("mnuTools"));
    QObject::connect(tools, &QMenu::aboutToShow, main, [main] { mnuTools_Click(main, true); });
    QObject::connect(tools, &QMenu::aboutToHide, main, [main] { mnuTools_Click(main, false); });
    for (const char* key : {"Compress", "Spell", "Tidy", "Copy", "External"})
        QObject::connect(main->ToolbarButton(QLatin1String(key)), &QAction::changed, main,
                         [main, tools] { mnuTools_Click(main, tools->isVisible()); });
    mnuTools_Click(main, false);

    QObject::connect(main, &Workspace::DocumentCreated, main, [main](frmDocument* doc) {
        freeToolKeys(main, doc->Editor());
        QObject::connect(doc, &frmDocument::PreviewPanelClicked, main,
                         [main, doc](int panel) { Preview::PanelClick(main, doc, panel); });
    });
    // Activation enables the sidebar list; a document in preview keeps it disabled.
    QObject::connect(main->MdiArea(), &QMdiArea::subWindowActivated, main, [main](QMdiSubWindow* sub) {
        if (auto* doc = sub ? qobject_cast<frmDocument*>(sub->widget()) : nullptr)
            main->List1()->setEnabled(doc->IsEditMode());
    });
}
