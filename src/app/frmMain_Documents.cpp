// The main window's documents: creating, opening, restoring and closing them,
// files handed over by later starts, the recent files and drops.
#include "app/frmMain.h"
#include "base/DesktopColours.h"

#include "app/Main.h"
#include "base/Prompter.h"
#include "base/Settings.h"
#include "document/CodeMax1.h"
#include "document/InsertText.h"
#include "document/frmDocument.h"
#include "insert/frmNew.h"

#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

QList<frmDocument*> frmMain::Documents() const
{
    QList<frmDocument*> docs;
    for (QMdiSubWindow* sub : m_mdi->subWindowList())
        if (auto* doc = qobject_cast<frmDocument*>(sub->widget()))
            docs << doc;
    return docs;
}

frmDocument* frmMain::ActiveDocument() const
{
    QMdiSubWindow* sub = m_mdi->activeSubWindow();
    if (!sub) {
        // While the main window is not active Qt reports no active sub-window.
        sub = m_mdi->currentSubWindow();
    }
    return sub ? qobject_cast<frmDocument*>(sub->widget()) : nullptr;
}

frmDocument* frmMain::CreateDocument()
{
    auto* doc = new frmDocument(this);
    connect(doc, &frmDocument::commandsChanged, this, [this, doc] { refreshCommandsFor(doc); });
    connect(doc, &frmDocument::activating, this, [this] { fctnShowDocMenus(true); });
    connect(doc, &frmDocument::contextMenuRequested, this, [this](const QPoint& pos) {
        Menu(QStringLiteral("mnuEdit"))->popup(pos);
    });
    connect(doc, &frmDocument::lastClosing, this, &frmMain::DisableCommandsForNoDocument);
    doc->Editor()->SendScintilla(QsciScintillaBase::SCI_SETZOOM, long(m_zoom));
    // Ctrl+wheel zooms one document: the others follow, as with the View menu.
    connect(doc->Editor(), &QsciScintillaBase::SCN_ZOOM, this,
            [this, e = doc->Editor()] { SetZoom(int(e->SendScintilla(QsciScintillaBase::SCI_GETZOOM))); });
    QMdiSubWindow* sub = m_mdi->addSubWindow(doc);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    static const QIcon icon = DesktopColours::Icon(QStringLiteral(":/icons/new.svg"));   // one for all: each load costs a parse
    sub->setWindowIcon(icon);
    sub->resize(760, 480);   // until the area has its real size (see placeSubWindow)
    int state = 0;
    try {
        state = Setting::Int(Key::DocState);
    } catch (const SettingsError&) {
    }
    if (TabbedDocuments())
        sub->show();   // a tab's window is laid out by the tabs
    else if (state == 1)
        sub->showMinimized();
    else if (state == 2)
        sub->showMaximized();
    else
        sub->show();
    if (!TabbedDocuments())
        placeSubWindow(sub, int(m_mdi->subWindowList().size()) - 1);
    // Resizes and state changes are remembered for the next new window.
    connect(sub, &QMdiSubWindow::windowStateChanged, doc, [doc] { doc->SaveDocState(); });
    connect(doc, &frmDocument::BusyChanged, this, [this](bool busy) {
        if (busy || !m_closeWhenIdle)
            return;
        for (frmDocument* d : Documents())
            if (d->IsBusy())
                return;
        m_closeWhenIdle = false;
        QTimer::singleShot(0, this, &QWidget::close);
    });
    emit DocumentCreated(doc);
    m_mdi->setActiveSubWindow(sub);
    doc->Form_Activate();
    doc->Editor()->SetFocus();
    return doc;
}

frmDocument* frmMain::fctnNewDoc()
{
    ++m_docCount;
    frmDocument* doc = CreateDocument();
    doc->SetCaption(DocText::UntitledCaption(m_docCount));
    if (OptNewDoc)
        RunNewPageWizard(this);
    return doc;
}

frmDocument* frmMain::RestoreDocument(const Recovery::Entry& entry)
{
    Recovery::Entry e = entry;
    if (e.path.isEmpty()) {
        bool taken = e.number <= 0;
        for (frmDocument* d : Documents())
            taken = taken || DocText::UntitledNumber(d->Caption()) == e.number;
        if (taken)
            e.number = m_docCount + 1;
        m_docCount = std::max(m_docCount, e.number);
        e.caption = DocText::UntitledCaption(e.number);
    }
    frmDocument* doc = CreateDocument();
    doc->RestoreFrom(e);
    return doc;
}

bool frmMain::fctnLoadDocument(const QString& title, const QString& path)
{
    frmDocument* doc = ActiveDocument();
    if (!doc)
        return false;
    if (!doc->LoadFile(title, path))
        return false;
    AddRecentFile(path, true);
    return true;
}

void frmMain::OpenCommandLine(const QString& commandLine)
{
    const QStringList files = CommandLineFiles(commandLine);
    for (const QString& path : files)
        OpenFileFromCommandLine(path, files.size() == 1 ? commandLine : QLatin1Char('"') + path + QLatin1Char('"'));
}

frmDocument* frmMain::OpenFileFromCommandLine(const QString& path, const QString& shown)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir()) {
        // Qt holds file names as UTF-8; one that is not arrives with its bytes replaced.
        const QString why = !info.exists() && path.contains(QChar::ReplacementCharacter)
            ? tr("\nIts name is not valid UTF-8, which this program cannot use; rename the file.")
            : QString();
        MsgBox(shown + tr(" could not be opened.") + why, MsgButtons::OKOnly, MsgIcon::Exclamation);
        return nullptr;
    }
    QString longPath = fctnLongPath(path);
    if (longPath.isEmpty())
        longPath = path;
    frmDocument* doc = CreateDocument();
    if (!fctnLoadDocument(QFileInfo(longPath).fileName(), longPath)) {
        DiscardIfEmpty(doc);
        return nullptr;
    }
    return doc;
}

void frmMain::DiscardIfEmpty(frmDocument* doc)
{
    // A window made for a file that could not be read is not left behind empty;
    // one that holds text (a new-page wizard's page) stays.
    if (doc && !doc->Editor()->Modified())
        if (QMdiSubWindow* sub = doc->SubWindow())
            sub->close();
}

void frmMain::OnHandOver()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    ConsumeHandOver();
}

bool frmMain::takeHandOver(QList<HandOver>& list, const QString& commandLine)
{
    // A start sends its line over the socket and writes it to the slot too, so
    // each can arrive both ways; it is opened by whichever comes first. What is
    // not matched within a while was only sent one way.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    list.removeIf([now](const HandOver& h) { return now - h.when > 30000; });
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).commandLine == commandLine) {
            list.removeAt(i);
            return true;
        }
    }
    return false;
}

void frmMain::ConsumeHandOver()
{
    const QString command = GetSetting(Key::Command, QString());
    if (command.isEmpty())
        return;
    SaveSetting(Key::Command, QString());
    if (takeHandOver(m_fromSocket, command))
        return;
    m_fromSlot.append({command, QDateTime::currentMSecsSinceEpoch()});
    OpenCommandLine(command);
}

void frmMain::AddRecentFile(const QString& path, bool refresh)
{
    m_recent.Add(path);
    if (!refresh)
        return;
    m_recent.PersistAll();
    refreshRecentMenu();
}

void frmMain::refreshRecentMenu()
{
    for (int i = 1; i <= RecentFiles::Count; ++i) {
        QAction* a = Action(QStringLiteral("mnuFileMRU%1").arg(i));
        a->setText(m_recent.Caption(i));
        a->setData(m_recent.Path(i));
        a->setStatusTip(m_recent.Path(i));   // the caption names the file; where it lives shows here
        a->setToolTip(m_recent.Path(i));
        a->setVisible(m_recent.Visible(i));
    }
    Action("mnuFileClearRecent")->setVisible(m_recent.Visible(1));
    Action("mnuFileBar4")->setVisible(m_recent.Visible(1));
    Action("mnuFileBar3")->setVisible(Action("mnuFilePrint")->isVisible());
}

void frmMain::mnuFileMRU_Click(int index)
{
    const QString path = m_recent.Path(index);
    if (path.isEmpty())
        return;
    const QList<frmDocument*> docs = Documents();
    const bool reuse = docs.size() == 1 && docs.first()->Caption() == DocText::UntitledCaption(1);
    bool open = false;
    for (frmDocument* doc : docs) {
        if (doc->PathPanel() == path) {
            m_mdi->setActiveSubWindow(doc->SubWindow());
            open = true;
        }
    }
    if (open)
        return;
    const QFileInfo info(path);
    const QString caption = m_recent.Caption(index);
    if (info.exists() && info.isFile() && info.fileName() == caption.mid(3)) {
        if (!reuse)
            CreateDocument();
        fctnLoadDocument(info.fileName(), path);
        return;
    }
    MsgBox(QLatin1Char('\'') + path +
               tr("' was either moved or deleted, and so will be removed from the 'most recently used' list of files."),
           MsgButtons::OKOnly, MsgIcon::Exclamation);
    m_recent.Remove(index);
    refreshRecentMenu();
}

void frmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    event->acceptProposedAction();
    DropFiles(paths);
}
