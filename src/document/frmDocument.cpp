#include "document/frmDocument.h"

#include "app/Main.h"
#include "app/Prompter.h"
#include "app/Settings.h"
#include "app/frmMain.h"
#include "document/CodeMax1.h"
#include "insert/InsertText.h"
#include "options/ColourScheme.h"

#include <QAction>
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
QString SizeText(qint64 n)
{
    if (n < 1024)
        return QString::number(n) + QStringLiteral(" bytes");
    return QString::number(double(n) / 1024.0, 'f', 2) + QStringLiteral(" KB");
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

frmDocument::frmDocument(frmMain* owner) : QWidget(nullptr), m_main(owner)
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
    const char* tips[5] = {"Edit mode", "Preview mode", "", "", ""};
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
    m_panels[4]->setText(QStringLiteral("Ln 1,  Col 1"));
    m_panels[4]->setMinimumWidth(110);
    m_busyLabel = new QLabel(m_status);
    m_busyLabel->setObjectName(QStringLiteral("BusyLabel"));
    m_busyCancel = new QToolButton(m_status);
    m_busyCancel->setObjectName(QStringLiteral("BusyCancel"));
    m_busyCancel->setText(tr("Cancel"));
    m_busyCancel->setAutoRaise(true);
    connect(m_busyCancel, &QToolButton::clicked, this, &frmDocument::CancelBusy);
    m_status->addPermanentWidget(m_busyLabel);
    m_status->addPermanentWidget(m_busyCancel);
    showBusy(QString(), false);
    layout->addWidget(m_status);

    // Load: colours, then free the keys the main window's menus use.
    ::fctnLoadSyntax(m_editor);
    for (int cmd : {197, 140, 198, 161, 129, 139, 160})
        for (int k = m_editor->GetHotKeyCount(cmd) - 1; k >= 0; --k)
            m_editor->RemoveHotKey(cmd, k);

    connect(m_editor, &CodeMax1::Change, this, [this] {
        fctnRefreshCommands();
        fctnRefreshStatus();
    });
    connect(m_editor, &CodeMax1::SelChange, this, [this] {
        fctnRefreshCommands();
        fctnRefreshStatus();
    });
    connect(m_editor, &CodeMax1::RightClick, this, [this](const QPoint& pos) {
        if (QMenu* menu = m_main->Menu(QStringLiteral("mnuEdit")))
            menu->popup(pos);
    });
    connect(m_editor, &CodeMax1::KeyDown, this, &frmDocument::onKeyDown);
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

bool frmDocument::LoadFile(const QString& title, const QString& path)
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
        opened = m_editor->OpenFile(path, &error);
        cancelled = busy.Cancelled();
    }
    if (!self || cancelled)
        return false;
    if (!opened) {
        MsgBox(QLatin1Char('\'') + path + QStringLiteral("' could not be opened.\n") + error, MsgButtons::OKOnly,
               MsgIcon::Exclamation, QStringLiteral("QRN"), m_main);
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
    const QFileInfo info(PathPanel());
    m_diskTime = info.exists() ? info.lastModified() : QDateTime();
    m_diskSize = info.exists() ? info.size() : -1;
    m_missingReported = false;
}

void frmDocument::CheckDiskChange()
{
    if (!HasFile() || m_checkingDisk || IsBusy() || !m_diskTime.isValid())
        return;
    m_checkingDisk = true;
    const QString path = PathPanel();
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!m_missingReported) {
            m_missingReported = true;
            MsgBox(QLatin1Char('\'') + path +
                       tr("' has been moved or deleted by another program.\nThe text stays open here; save it to keep it."),
                   MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"), m_main);
        }
    } else if (info.lastModified() != m_diskTime || info.size() != m_diskSize) {
        // Asked once per change: whatever the answer, this state of the file is now known.
        m_diskTime = info.lastModified();
        m_diskSize = info.size();
        m_missingReported = false;
        const QString question = m_editor->Modified()
            ? tr("' was changed by another program.\nReload it and lose the changes made here?")
            : tr("' was changed by another program.\nDo you want to reload it?");
        if (MsgBox(QLatin1Char('\'') + path + question, MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("QRN"),
                   m_main) == MsgAnswer::Yes)
            LoadFile(Caption().endsWith(QLatin1Char('*')) ? Caption().chopped(1) : Caption(), path);
    }
    m_checkingDisk = false;
}

void frmDocument::fctnRefreshStatus()
{
    m_panels[3]->setText(DocText::SizeText(m_editor->TextLength()));
    if (!m_browser->isVisible()) {
        const CodeMaxRange r = m_editor->GetSel(true);
        m_panels[4]->setText(QStringLiteral("Ln %1,  Col %2").arg(r.endLine + 1).arg(r.endCol + 1));
    }
}

void frmDocument::fctnRefreshCommands()
{
    const bool modified = m_editor->Modified();
    if (modified && IsEditMode() && !Caption().endsWith(QLatin1Char('*')))
        SetCaption(Caption() + QLatin1Char('*'));
    // Only the active document speaks for the main window's commands.
    if (m_main->ActiveDocument() != this)
        return;
    m_main->ToolbarButton(QStringLiteral("Save"))->setEnabled(modified);
    QAction* edit = m_main->Menu(QStringLiteral("mnuEdit"))->menuAction();
    if (IsEditMode()) {
        edit->setEnabled(true);
        m_main->ToolbarButton(QStringLiteral("Undo"))->setEnabled(m_editor->CanUndo());
        m_main->ToolbarButton(QStringLiteral("Redo"))->setEnabled(m_editor->CanRedo());
        m_main->ToolbarButton(QStringLiteral("Cut"))->setEnabled(m_editor->CanCut());
        m_main->ToolbarButton(QStringLiteral("Copy"))->setEnabled(m_editor->CanCopy());
        m_main->ToolbarButton(QStringLiteral("Paste"))->setEnabled(m_editor->CanPaste());
        for (int pos = 12; pos <= 18; ++pos)
            m_main->ToolbarButtonAt(pos)->setEnabled(true);
    } else {
        edit->setEnabled(false);
        for (int pos = 4; pos <= 17; ++pos)
            m_main->ToolbarButtonAt(pos)->setEnabled(false);
    }
    // Keep the Edit items in step too, so their shortcuts follow the buttons.
    m_main->mnuEdit_DropDown();
    for (int i = 1; i <= 11; ++i)
        m_main->PowerbarButton(i)->setEnabled(edit->isEnabled());
    for (const char* name : {"mnuViewWhitespace", "mnuViewLine", "mnuViewMargin"})
        m_main->Action(QLatin1String(name))->setEnabled(edit->isEnabled() &&
                                                        !m_main->Action(QStringLiteral("mnuViewEdit"))->isChecked());
}

void frmDocument::Form_Activate()
{
    CheckDiskChange();
    m_main->fctnShowDocMenus(true);
    fctnRefreshCommands();
    m_panels[1]->setVisible(m_main->Action(QStringLiteral("mnuToolsBrowser"))->isVisible());
    m_editor->SetLineNumbering(m_main->Action(QStringLiteral("mnuViewLine"))->isChecked());
    m_editor->SetDisplayLeftMargin(m_main->Action(QStringLiteral("mnuViewMargin"))->isChecked());
    m_editor->SetDisplayWhitespace(m_main->Action(QStringLiteral("mnuViewWhitespace"))->isChecked());
}

void frmDocument::SaveDocState()
{
    QMdiSubWindow* sub = SubWindow();
    if (!sub)
        return;
    const int state = sub->isMinimized() ? 1 : sub->isMaximized() ? 2 : 0;
    const QString text = QString::number(state);
    if (GetSetting(QStringLiteral("Config"), QStringLiteral("DocState"), QString()) != text)
        SaveSetting(QStringLiteral("Config"), QStringLiteral("DocState"), text);
}

bool frmDocument::CloseQuestion()
{
    if (!Caption().endsWith(QLatin1Char('*')))
        return true;
    const QString name = Caption().left(Caption().size() - 1);
    const int answer = MsgBox(QStringLiteral("Save changes to '") + name + QStringLiteral("'?"), MsgButtons::YesNoCancel,
                              MsgIcon::Exclamation, QStringLiteral("QRN"), m_main);
    if (answer == MsgAnswer::Cancel)
        return false;
    if (answer == MsgAnswer::Yes) {
        if (QMdiSubWindow* sub = SubWindow())
            m_main->MdiArea()->setActiveSubWindow(sub);
        m_main->mnuFileSave_Click();
        if (Caption().endsWith(QLatin1Char('*')))
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
    // Preview copies beside the file, or in the per-user folder for untitled documents.
    const QString folder = HasFile() ? QFileInfo(PathPanel()).absolutePath()
                                     : QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir dir(folder);
    for (const QString& f : dir.entryList({QStringLiteral("~preview_qrn.*")}, QDir::Files | QDir::Hidden))
        dir.remove(f);
    event->accept();
    const QList<frmDocument*> docs = m_main->Documents();
    if (docs.size() == 1 && docs.first() == this)
        m_main->DisableCommandsForNoDocument();
}

void frmDocument::onKeyDown(int keyCode, int shift, bool* handled)
{
    if (keyCode == 93) {
        if (QMenu* menu = m_main->Menu(QStringLiteral("mnuEdit")))
            menu->popup(QCursor::pos());
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

