// A document window: its edit control, preview, status bar, disk checks and busy state.
#include "document/frmDocument.h"

#include "document/TextUnits.h"

#include "base/Prompter.h"
#include "base/Settings.h"
#include "document/CodeMax1.h"
#include "document/CopyRegistry.h"
#include "document/InsertText.h"
#include "document/ColourScheme.h"
#include "document/Workspace.h"

#include <QAction>
#include <QStyle>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent)
{
    setMargin(2);
    setMinimumWidth(24);
    SetBevel(1);
}

void StatusPanel::SetBevel(int bevel)
{
    m_bevel = bevel;
    setFrameStyle(QFrame::Panel | (bevel == 1 ? QFrame::Sunken : QFrame::Raised));
}

void StatusPanel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

namespace DocText {
QString UntitledCaption(int number)
{
    return frmDocument::tr("Document %1").arg(number);
}

int UntitledNumber(const QString& caption)
{
    const QString pattern = frmDocument::tr("Document %1");
    const qsizetype at = pattern.indexOf(QLatin1String("%1"));
    const QString text = caption.endsWith(QLatin1Char('*')) ? caption.chopped(1) : caption;
    const QString prefix = pattern.left(at), suffix = pattern.mid(at + 2);
    if (at < 0 || text.size() <= prefix.size() + suffix.size() || !text.startsWith(prefix) || !text.endsWith(suffix))
        return 0;
    bool ok = false;
    const int number = text.mid(prefix.size(), text.size() - prefix.size() - suffix.size()).toInt(&ok);
    return ok && number > 0 ? number : 0;
}

QString SizeText(qint64 n)
{
    if (n < 1024)
        return frmDocument::tr("%1 bytes").arg(n);
    return frmDocument::tr("%1 KB").arg(double(n) / 1024.0, 0, 'f', 2);
}

QString LanguageForPath(const QString& path)
{
    const int dot = path.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return QStringLiteral("HTML");
    const QString ext = path.mid(dot + 1);
    if (ext == QLatin1String("java") || ext == QLatin1String("js"))
        return QStringLiteral("Java");
    if (ext == QLatin1String("cpp") || ext == QLatin1String("pl") || ext == QLatin1String("cgi") ||
        ext == QLatin1String("css"))
        return QStringLiteral("C/C++");
    if (ext == QLatin1String("xml"))
        return QStringLiteral("XML");
    if (ext == QLatin1String("txt"))
        return QString();
    return QStringLiteral("HTML");
}
} // namespace DocText

BusyScope::BusyScope(frmDocument* doc, const QString& what, bool cancellable) : m_doc(doc)
{
    m_outer = doc->m_busy;
    doc->m_busy = this;
    m_wasReadOnly = doc->m_editor->isReadOnly();
    // Typing during the run would be overwritten by its result.
    doc->m_editor->setReadOnly(true);
    doc->showBusy(what, cancellable);
    emit doc->BusyChanged(true);
}

BusyScope::~BusyScope()
{
    End();
}

void BusyScope::Cancel()
{
    m_cancelled = true;
    if (m_cancel)
        m_cancel();
}

void BusyScope::End()
{
    if (m_ended)
        return;
    m_ended = true;
    frmDocument* doc = m_doc;
    if (!doc)
        return;
    doc->m_busy = m_outer;
    doc->m_editor->setReadOnly(m_wasReadOnly);
    if (m_outer)
        return;
    doc->showBusy(QString(), false);
    emit doc->BusyChanged(false);
    if (doc->m_closeWhenIdle) {
        doc->m_closeWhenIdle = false;
        // After the operation has unwound, not inside it.
        QTimer::singleShot(0, doc, [doc] {
            if (QMdiSubWindow* sub = doc->SubWindow())
                sub->close();
        });
    }
}

frmDocument::frmDocument(Workspace* owner) : QWidget(nullptr), m_main(owner)
{
    setObjectName(QStringLiteral("frmDocument"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_editor = new CodeMax1(this);
    m_editor->SetLanguage(QStringLiteral("HTML"));
    layout->addWidget(m_editor, 1);

    m_browser = new QWidget(this);
    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
    m_browser->hide();
    layout->addWidget(m_browser, 1);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);
    const char* tips[5] = {QT_TR_NOOP("Edit mode"), QT_TR_NOOP("Preview mode"), "", "", ""};
    for (int i = 0; i < 5; ++i) {
        auto* p = new StatusPanel(m_status);
        p->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        m_panels[i] = p;
        if (i < 2) {
            p->setText(tr(tips[i]));
            p->setCursor(Qt::PointingHandCursor);
            p->setToolTip(tr(tips[i]));
            connect(p, &StatusPanel::clicked, this, [this, i] { emit PreviewPanelClicked(i + 1); });
        }
        m_status->addWidget(p, i == 2 ? 1 : 0);
    }
    m_panels[0]->SetBevel(1);
    m_panels[1]->SetBevel(2);
    m_panels[2]->setText(tr(DocText::Untitled));
    m_panels[2]->setToolTip(tr(DocText::Untitled));
    m_panels[2]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_panels[3]->setText(DocText::SizeText(0));
    m_panels[3]->setMinimumWidth(80);
    m_panels[4]->setText(tr("Ln %1,  Col %2").arg(1).arg(1));
    m_panels[4]->setMinimumWidth(110);
    m_formatPanel = new QLabel(m_status);
    m_formatPanel->setObjectName(QStringLiteral("FormatPanel"));
    m_formatPanel->setToolTip(tr("Encoding and line breaks"));
    m_status->insertWidget(4, m_formatPanel);
    m_busyLabel = new QLabel(m_status);
    m_busyLabel->setObjectName(QStringLiteral("BusyLabel"));
    m_busyCancel = new QToolButton(m_status);
    m_busyCancel->setObjectName(QStringLiteral("BusyCancel"));
    m_busyCancel->setText(tr("Cancel"));
    m_busyCancel->setAutoRaise(true);
    connect(m_busyCancel, &QToolButton::clicked, this, &frmDocument::CancelBusy);
    m_longLines = new QToolButton(m_status);
    m_longLines->setObjectName(QStringLiteral("LongLines"));
    m_longLines->setText(tr("Long lines"));
    m_longLines->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    m_longLines->setIconSize(QSize(14, 14));
    m_longLines->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_longLines->setToolTip(tr("A line of this page is over 100 KB long, and typing in it is slow.\n"
                               "Click for Tools > Break long lines: line breaks between the attributes of tags,\n"
                               "where they cannot change the page (one Undo takes them back)."));
    m_longLines->setAutoRaise(true);
    m_longLines->hide();
    connect(m_longLines, &QToolButton::clicked, this, [this] { m_main->Action(QStringLiteral("mnuToolsBreakLines"))->trigger(); });
    m_status->addPermanentWidget(m_longLines);
    m_liveButton = new QToolButton(m_status);
    m_liveButton->setObjectName(QStringLiteral("cmdLivePreview"));
    m_liveButton->setText(tr("Live Preview"));
    m_liveButton->setToolTip(tr("Show the page beside the text, refreshed as you type"));
    m_liveButton->setCheckable(true);
    m_liveButton->setAutoRaise(true);
    m_status->addPermanentWidget(m_liveButton);
    m_status->addPermanentWidget(m_busyLabel);
    m_status->addPermanentWidget(m_busyCancel);
    showBusy(QString(), false);
    layout->addWidget(m_status);

    // Load: colours, then free the keys the main window's menus use.
    ::fctnLoadSyntax(m_editor);
    for (int cmd : {197, 140, 198, 161, 129, 139, 160})
        for (int k = m_editor->GetHotKeyCount(cmd) - 1; k >= 0; --k)
            m_editor->RemoveHotKey(cmd, k);

    m_recovery = new Recovery::Writer(m_editor, [this] {
        Recovery::Entry e;
        e.path = HasFile() ? PathPanel() : QString();
        e.caption = Caption().endsWith(QLatin1Char('*')) ? Caption().chopped(1) : Caption();
        if (!HasFile())
            e.number = DocText::UntitledNumber(e.caption);
        return e;
    }, this);
    connect(m_editor, &CodeMax1::Change, this, [this] {
        fctnRefreshCommands();
        fctnRefreshStatus();
        CheckLongLines();
        m_recovery->Changed();
    });
    connect(m_editor, &CodeMax1::SelChange, this, [this] {
        fctnRefreshCommands();
        fctnRefreshStatus();
    });
    connect(m_editor, &CodeMax1::RightClick, this, &frmDocument::contextMenuRequested);
    connect(m_editor, &CodeMax1::KeyDown, this, &frmDocument::onKeyDown);
    connect(SettingsNotifier::Instance(), &SettingsNotifier::changed, this, [this](const QString& what) {
        if (what == QLatin1String(SettingsNotifier::Scheme))
            applyStoredScheme();
    });
    // Deferred: the drop must finish before the new windows open.
    connect(m_editor, &CodeMax1::FilesDropped, this, [this](const QStringList& paths) {
        QTimer::singleShot(0, m_main, [main = QPointer<Workspace>(m_main), paths] {
            if (main)
                main->DropFiles(paths);
        });
    });
}

frmDocument::~frmDocument()
{
    // An operation that outlives its document must find it gone, not dangling.
    for (BusyScope* b = m_busy; b; b = b->m_outer)
        b->m_doc = nullptr;
}

void frmDocument::showBusy(const QString& what, bool cancellable)
{
    m_busyLabel->setText(what);
    m_busyLabel->setVisible(!what.isEmpty());
    m_busyCancel->setVisible(!what.isEmpty() && cancellable);
}

void frmDocument::CancelBusy()
{
    for (BusyScope* b = m_busy; b; b = b->m_outer)
        b->Cancel();
}

void frmDocument::SetWebBrowser(QWidget* browser)
{
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    delete layout->replaceWidget(m_browser, browser);
    m_browser->deleteLater();
    m_browser = browser;
    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
}

void frmDocument::SetSideView(QWidget* view)
{
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    const bool hadFocus = m_editor->hasFocus();
    if (m_split) {
        m_editor->setParent(this);
        delete layout->replaceWidget(m_split, m_editor);
        delete m_split;   // and the old view with it
        m_split = nullptr;
    }
    if (view) {
        const int width = qMax(2, m_editor->width());   // before the split takes its place
        m_split = new QSplitter(Qt::Horizontal, this);
        m_split->setObjectName(QStringLiteral("LiveSplit"));
        m_split->setChildrenCollapsible(false);
        delete layout->replaceWidget(m_editor, m_split);
        m_split->addWidget(m_editor);
        m_split->addWidget(view);
        m_split->setStretchFactor(0, 1);
        m_split->setStretchFactor(1, 1);
        m_split->setSizes({width / 2, width - width / 2});
        view->show();
        m_split->show();
    }
    m_editor->show();
    if (hadFocus)
        m_editor->setFocus();
    QSignalBlocker quiet(m_liveButton);
    m_liveButton->setChecked(view != nullptr);
}

QMdiSubWindow* frmDocument::SubWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

QString frmDocument::Caption() const
{
    return windowTitle();
}

void frmDocument::SetCaption(const QString& caption)
{
    setWindowTitle(caption);
    if (QMdiSubWindow* sub = SubWindow())
        sub->setWindowTitle(caption);
}

QString frmDocument::PathPanel() const
{
    return m_panels[2]->text();
}

bool frmDocument::HasFile() const
{
    return PathPanel() != tr(DocText::Untitled);
}

bool frmDocument::IsEditMode() const
{
    return m_panels[0]->Bevel() == 1;
}

bool frmDocument::LoadFile(const QString& title, const QString& path, std::optional<TextEncoding> had)
{
    if (IsBusy())
        return false;
    QPointer<frmDocument> self(this);
    QString error;
    bool opened = false;
    bool cancelled = false;
    {
        BusyScope busy(this, tr("Loading..."), false);
        busy.SetCancel([this] { m_editor->CancelLoad(); });
        opened = m_editor->OpenFile(path, &error, had);
        cancelled = busy.Cancelled();
    }
    if (!self || cancelled)
        return false;
    if (!opened) {
        MsgBox(tr("'%1' could not be opened.\n%2").arg(path, error), MsgButtons::OKOnly, MsgIcon::Exclamation,
               QStringLiteral("QRN"), m_main);
        return false;
    }
    SetCaption(title);
    m_panels[2]->setText(path);
    m_panels[2]->setToolTip(path);
    const QString language = DocText::LanguageForPath(path);
    if (language.isEmpty()) {
        m_editor->SetColorSyntax(false);
    } else {
        m_editor->SetLanguage(language);
        m_editor->SetColorSyntax(true);
    }
    m_panels[3]->setText(DocText::SizeText(m_editor->TextLength()));
    RememberDiskState();
    fctnRefreshCommands();
    fctnRefreshStatus();
    return true;
}

void frmDocument::RememberDiskState()
{
    m_disk = DiskFile::StateOf(PathPanel());
    m_missingReported = false;
    // Loaded or saved: the text is safe in its file.
    if (!m_editor->Modified())
        m_recovery->Clear();
}

void frmDocument::RestoreFrom(const Recovery::Entry& entry)
{
    m_editor->SetUtf8Text(entry.text);
    m_editor->SetFormat(entry.format);
    const QString path = entry.path;
    if (!path.isEmpty()) {
        m_panels[2]->setText(path);
        m_panels[2]->setToolTip(path);
        const QString language = DocText::LanguageForPath(path);
        m_editor->SetColorSyntax(!language.isEmpty());
        if (!language.isEmpty())
            m_editor->SetLanguage(language);
        // Its file as it is now; the recovered text replaces it only on Save.
        m_disk = DiskFile::StateOf(path);
    }
    SetCaption(entry.caption);
    m_editor->SetModified(true);
    m_recovery->Adopt(entry.file);
    fctnRefreshCommands();
    fctnRefreshStatus();
}

bool frmDocument::Reload(std::optional<TextEncoding> encoding)
{
    QString error;
    if (!m_editor->ReloadFile(PathPanel(), &error, encoding)) {
        const QString message = encoding ? tr("'%1' was not reopened; the document stays as it was.\n%2")
                                         : tr("'%1' could not be opened.\n%2");
        MsgBox(message.arg(PathPanel(), error), MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"), m_main);
        return false;
    }
    RememberDiskState();
    if (Caption().endsWith(QLatin1Char('*')))
        SetCaption(Caption().chopped(1));
    fctnRefreshCommands();
    fctnRefreshStatus();
    return true;
}

void frmDocument::CheckDiskChange()
{
    if (!HasFile() || m_checkingDisk || IsBusy() || !m_disk.exists)
        return;
    m_checkingDisk = true;
    const QString path = PathPanel();
    const DiskFile::State now = DiskFile::StateOf(path);
    if (!now.exists) {
        if (!m_missingReported) {
            m_missingReported = true;
            // The text here is the only copy now: closing must ask, and a crash must not take it.
            m_editor->SetModified(true);
            fctnRefreshCommands();
            m_recovery->Changed();
            MsgBox(QLatin1Char('\'') + path +
                       tr("' has been moved or deleted by another program.\nThe text stays open here; save it to keep it."),
                   MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"), m_main);
        }
    } else if (now != m_disk) {
        // Asked once per change: whatever the answer, this state of the file is now known.
        m_disk = now;
        m_missingReported = false;
        const QString question = m_editor->Modified()
            ? tr("' was changed by another program.\nReload it and lose the changes made here?")
            : tr("' was changed by another program.\nDo you want to reload it?");
        if (MsgBox(QLatin1Char('\'') + path + question, MsgButtons::YesNo | MsgButtons::DefaultButton2, MsgIcon::Question,
                   QStringLiteral("QRN"), m_main) == MsgAnswer::Yes)
            Reload();
    }
    m_checkingDisk = false;
}

bool frmDocument::ConfirmSaveOverDisk()
{
    if (!HasFile() || !m_disk.exists)
        return true;
    const QString path = PathPanel();
    const DiskFile::State now = DiskFile::StateOf(path);
    // Gone meanwhile: saving puts it back, which is what the user asks for.
    if (!now.exists || now == m_disk)
        return true;
    const int answer = MsgBox(
        QLatin1Char('\'') + path +
            tr("' was changed by another program since it was opened or saved here.\n\n"
               "Yes: overwrite it with the text here.\n"
               "No: keep the other version and reload it (Undo brings this text back).\n"
               "Cancel: do neither."),
        MsgButtons::YesNoCancel | MsgButtons::DefaultButton3, MsgIcon::Exclamation, QStringLiteral("QRN"), m_main);
    if (answer == MsgAnswer::Yes)
        return true;
    if (answer == MsgAnswer::No)
        Reload();
    return false;
}

void frmDocument::fctnRefreshStatus()
{
    m_panels[3]->setText(DocText::SizeText(m_editor->TextLength()));
    const QString& br = m_editor->Format().lineBreak;
    m_formatPanel->setText(FileText::EncodingName(m_editor->Format().encoding) + QStringLiteral("  ") +
                           (br == QLatin1String("\r\n") ? QStringLiteral("CR LF")
                            : br == QLatin1String("\r")  ? QStringLiteral("CR")
                                                          : QStringLiteral("LF")));
    if (!m_browser->isVisible()) {
        const CodeMaxRange r = m_editor->GetSel(true);
        m_panels[4]->setText(tr("Ln %1,  Col %2").arg(r.endLine + 1).arg(r.endCol + 1));
    }
}

void frmDocument::CheckLongLines(bool force)
{
    // Typing never makes a line that long; a load, a paste or a replacement does, and
    // those move the length a lot. Looking costs a pass over the text.
    const int length = m_editor->TextLength();
    if (!force && std::abs(length - m_lengthAtLineCheck) < 64 * 1024)
        return;
    m_lengthAtLineCheck = length;
    m_longLines->setVisible(LongestLine(m_editor->Utf8View()) > SlowLineLength);
}

void frmDocument::applyStoredScheme()
{
    // Only face and size: the document's bold and italic font flags stay as they are.
    QFont font = m_editor->Font();
    font.setFamily(ColourScheme::FontFace(DefaultsFor::OptionsDialog));
    font.setPointSize(std::max(1, ColourScheme::FontSize(DefaultsFor::OptionsDialog)));
    m_editor->SetFont(font);
    ColourScheme::WriteStoredKinds(m_editor, DefaultsFor::OptionsDialog);
}

void frmDocument::fctnRefreshCommands()
{
    const bool modified = m_editor->Modified();
    if (modified && IsEditMode() && !Caption().endsWith(QLatin1Char('*')))
        SetCaption(Caption() + QLatin1Char('*'));
    emit commandsChanged();
}

void frmDocument::Form_Activate()
{
    CheckDiskChange();
    emit activating();
    fctnRefreshCommands();
    m_panels[1]->setVisible(m_main->Action(QStringLiteral("mnuToolsBrowser"))->isVisible());
    m_editor->SetLineNumbering(m_main->Action(QStringLiteral("mnuViewLine"))->isChecked());
    m_editor->SetDisplayLeftMargin(m_main->Action(QStringLiteral("mnuViewMargin"))->isChecked());
    m_editor->SetDisplayWhitespace(m_main->Action(QStringLiteral("mnuViewWhitespace"))->isChecked());
    m_editor->SetFoldMargin(m_main->Action(QStringLiteral("mnuViewFold"))->isChecked());
    m_editor->SetWordWrap(m_main->Action(QStringLiteral("mnuViewWrap"))->isChecked());
}

void frmDocument::SaveDocState()
{
    QMdiSubWindow* sub = SubWindow();
    // Tabs maximise every window; that is not the user's choice for the next one.
    if (!sub || (sub->mdiArea() && sub->mdiArea()->viewMode() == QMdiArea::TabbedView))
        return;
    const int state = sub->isMinimized() ? 1 : sub->isMaximized() ? 2 : 0;
    const QString text = QString::number(state);
    if (GetSetting(Key::DocState, QString()) != text)
        SaveSetting(Key::DocState, text);
}

bool frmDocument::CloseQuestion()
{
    if (!Caption().endsWith(QLatin1Char('*')))
        return true;
    const QString name = Caption().left(Caption().size() - 1);
    const int answer = MsgBox(tr("Save changes to '%1'?").arg(name), MsgButtons::YesNoCancel, MsgIcon::Exclamation,
                              QStringLiteral("QRN"), m_main);
    if (answer == MsgAnswer::Cancel)
        return false;
    if (answer == MsgAnswer::Yes) {
        if (QMdiSubWindow* sub = SubWindow())
            m_main->MdiArea()->setActiveSubWindow(sub);
        // A save that did not happen (cancelled, failed, or the other program's
        // version reloaded instead) keeps the window open to be looked at.
        if (!m_main->mnuFileSave_Click() || Caption().endsWith(QLatin1Char('*')))
            return false;
    }
    return true;
}

void frmDocument::closeEvent(QCloseEvent* event)
{
    if (IsBusy()) {
        // Closed once the operation has stopped; the save question comes then.
        m_closeWhenIdle = true;
        CancelBusy();
        event->ignore();
        return;
    }
    if (!CloseQuestion()) {
        event->ignore();
        return;
    }
    // Its preview copies, unless another document shows the same one.
    CopyRegistry::Release(this);
    m_recovery->Clear();
    event->accept();
    const QList<frmDocument*> docs = m_main->Documents();
    if (docs.size() == 1 && docs.first() == this)
        emit lastClosing();
}

void frmDocument::onKeyDown(int keyCode, int shift, bool* handled)
{
    if (keyCode == 93) {
        emit contextMenuRequested(QCursor::pos());
        *handled = true;
        return;
    }
    if (shift != 2)
        return;
    if (keyCode == 32) {
        fctnInsertText(QStringLiteral("&nbsp;"));
        *handled = true;
    } else if (keyCode == 191) {
        const QString sel = m_editor->SelText();
        fctnInsertText(QStringLiteral("<>") + sel + QStringLiteral("</>"), false, int(sel.size()) + 4, 0);
        *handled = true;
    }
}

