// Preview mode and the external browser: the page's copy and the embedded browser.
#include "tools/Preview.h"

#include "tools/LivePreview.h"

#include "base/Prompter.h"
#include "base/ShellRoutines.h"
#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/CopyRegistry.h"
#include "document/FileText.h"
#include "document/frmDocument.h"
#include "tools/ToolFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QRegularExpression>
#include <QUrl>

#include "base/BrowserView.h"

namespace Preview {
namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("Preview", text);
}

QString caretText(const frmDocument* doc)
{
    const CodeMaxRange r = doc->Editor()->GetSel(true);
    return frmDocument::tr("Ln %1,  Col %2").arg(r.endLine + 1).arg(r.endCol + 1);
}

} // namespace

QString WriteCopy(Workspace* main, frmDocument* doc, const Target& t, const QObject* owner)
{
    if (!owner)
        owner = doc;
    QString error;
    if (ToolFiles::WriteEditorCopy(doc->Editor(), t.Path(), &error)) {
        CopyRegistry::Add(owner, t.Path());
        return t.Path();
    }
    if (doc->HasFile() && t.mapping != Mapping::AsRawText) {
        Target own = t;
        own.folder = ToolFiles::ProgramFolder();
        QString ignored;
        const QString text = WithBase(doc->Editor()->Text(), t.folder);
        if (own.Path() != t.Path() &&
            ToolFiles::WriteCopy(own.Path(), FileText::Encode(text, doc->Editor()->Format()), &ignored)) {
            CopyRegistry::Add(owner, own.Path());
            return own.Path();
        }
    }
    MsgBox(QLatin1Char('\'') + t.Path() + tr("' could not be saved.") + QLatin1Char('\n') + error + QLatin1Char('.'),
           MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"), main);
    return QString();
}

QString WithBase(const QString& page, const QString& folder)
{
    // A page with a BASE of its own keeps it.
    static const QRegularExpression base(QStringLiteral("<base\\b"), QRegularExpression::CaseInsensitiveOption);
    if (page.contains(base))
        return page;
    QString dir = folder;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    const QString tag = QStringLiteral("<BASE HREF=\"") + QUrl::fromLocalFile(dir).toString(QUrl::FullyEncoded) +
                        QStringLiteral("\">");
    static const QRegularExpression head(QStringLiteral("<head\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = head.match(page);
    if (m.hasMatch())
        return page.left(m.capturedEnd()) + tag + page.mid(m.capturedEnd());
    return tag + page;
}

QString ExtensionOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // "page." has a dot but no extension; a copy named "~preview_qrn." would mean nothing to a browser.
    if (dot < 0 || dot == name.size() - 1)
        return QStringLiteral("html");
    return name.mid(dot + 1);
}

Target TargetFor(const QString& path, bool mapped)
{
    Target t;
    if (path.isEmpty()) {
        t.folder = ToolFiles::ProgramFolder();
        t.extension = QStringLiteral("html");
    } else {
        t.folder = QFileInfo(path).absolutePath();
        if (!t.folder.endsWith(QLatin1Char('/')))
            t.folder += QLatin1Char('/');
        t.extension = ExtensionOf(path);
    }
    t.originalExtension = t.extension;
    if (!mapped)
        return t;
    if (t.extension == QLatin1String("asp")) {
        t.mapping = Mapping::AsHtml;
        t.extension = QStringLiteral("shtml");
    } else if (t.extension == QLatin1String("css") || t.extension == QLatin1String("js")) {
        t.mapping = Mapping::AsRawText;
        t.extension = QStringLiteral("txt");
    }
    return t;
}

namespace {
BrowserView* viewOf(frmDocument* doc)
{
    return static_cast<BrowserView*>(doc->WebBrowser1()->property("qrnBrowserView").value<void*>());
}
} // namespace

QWidget* Browser(frmDocument* doc)
{
    if (viewOf(doc))
        return doc->WebBrowser1();
    // Created on the first preview only: the engine is heavy to start.
    const CreateBrowserFn create = BrowserModule::Factory();
    if (!create)
        return nullptr;
    BrowserHooks hooks;
    hooks.loadStarted = [doc] {
        if (BrowserView* v = viewOf(doc))
            StatusTextChange(doc, tr("Opening page ") + v->Url().toLocalFile());
    };
    hooks.loadFinished = [doc](bool ok) { StatusTextChange(doc, ok ? tr("Done") : tr("The page could not be shown.")); };
    hooks.linkHovered = [doc](const QString& url) { StatusTextChange(doc, url.isEmpty() ? tr("Done") : url); };
    BrowserView* view = create(doc, hooks);
    QWidget* widget = view->Widget();
    widget->hide();
    widget->setProperty("qrnBrowserView", QVariant::fromValue<void*>(view));
    doc->SetWebBrowser(widget);
    return widget;
}

void StatusTextChange(frmDocument* doc, const QString& text)
{
    if (doc->WebBrowser1()->isVisible())
        doc->Panel(5)->setText(text);
    else
        doc->Panel(5)->setText(caretText(doc));
}

bool PanelClick(Workspace* main, frmDocument* doc, int panel)
{
    if (panel != 1 && panel != 2)
        return false;
    const bool preview = panel == 2;
    if (preview) {
        // The page fills the window: the split beside the text closes.
        LivePreview::SetOpen(main, doc, false);
        const Target t = TargetFor(doc->HasFile() ? doc->PathPanel() : QString(), true);
        if (t.mapping == Mapping::AsHtml) {
            MsgBox(tr("Preview does not support server scripts, so Active Server Pages are previewed as HTML."),
                   MsgButtons::OKOnly, MsgIcon::Information, QStringLiteral("QRN"), main);
        } else if (t.mapping == Mapping::AsRawText) {
            const QString question = tr("Preview does not support this file format, so *.") + t.originalExtension +
                                     tr(" files can only be previewed as raw text. Do you wish to proceed?");
            if (MsgBox(question, MsgButtons::YesNo | MsgButtons::DefaultButton2, MsgIcon::Question, QStringLiteral("QRN"),
                       main) != MsgAnswer::Yes)
                return false;
        }
        QWidget* browser = Browser(doc);
        const QString copy = browser ? WriteCopy(main, doc, t) : QString();
        if (copy.isEmpty())
            return false;
        BrowserView* view = viewOf(doc);
        const QUrl url = QUrl::fromLocalFile(copy);
        // A second click shows the text as it is now.
        if (view->Url() == url)
            view->Reload();
        else
            view->Load(url);
    }

    doc->Panel(panel)->SetBevel(1);
    doc->Panel(preview ? 1 : 2)->SetBevel(2);
    doc->setUpdatesEnabled(false);
    // The two views share the window's area: one shows while the other hides.
    doc->WebBrowser1()->setVisible(preview);
    doc->Editor()->setVisible(!preview);
    doc->Panel(5)->setText(caretText(doc));
    doc->setUpdatesEnabled(true);
    doc->fctnRefreshCommands();
    // Nothing is inserted into a document that is being previewed.
    main->List1()->setEnabled(!preview);
    if (!preview)
        doc->Editor()->SetFocus();
    return true;
}

void ExternalBrowser(Workspace* main, frmDocument* doc)
{
    if (!doc)
        return;
    const Target t = TargetFor(doc->HasFile() ? doc->PathPanel() : QString(), false);
    const QString copy = WriteCopy(main, doc, t);
    if (!copy.isEmpty())
        fctnShellExec(QStringLiteral("Open"), copy);
}
} // namespace Preview
