// File and edit commands of the main window.
#include "app/frmMain.h"

#include "base/Prompter.h"
#include "base/Settings.h"
#include "document/CodeMax1.h"
#include "document/CopyRegistry.h"
#include "document/FileFilter.h"
#include "document/frmDocument.h"
#include "base/cCommonDialog.h"
#include "app/Main.h"
#include "app/MenuTable.h"
#include "document/FileProperties.h"
#include "document/InsertText.h"

#include <QPrintDialog>
#include <QPrinter>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QScopeGuard>

namespace {
QString stripStar(const QString& caption)
{
    return caption.endsWith(QLatin1Char('*')) ? caption.left(caption.size() - 1) : caption;
}
bool isUntitled(const frmDocument* doc)
{
    return DocText::UntitledNumber(doc->Caption()) > 0;
}
} // namespace

void frmMain::mnuFileNew_Click()
{
    fctnNewDoc();
}

void frmMain::mnuFileOpen_Click()
{
    const QList<frmDocument*> docs = Documents();
    frmDocument* active = ActiveDocument();
    bool reuse = docs.size() == 1 && active && active->Caption() == DocText::UntitledCaption(1);

    cCommonDialog dialog;
    QString fileName, fileTitle, filter = FileFilter::Documents();
    bool readOnly = false;
    int filterIndex = 3, flags = cCommonDialog::OFN_HIDEREADONLY;
    if (!dialog.VBGetOpenFileName(fileName, fileTitle, true, true, readOnly, false, filter, filterIndex, QString(),
                                  QString(), QString(), this, flags))
        return;
    // Several files come back as the folder and NUL-separated names.
    QStringList paths;
    if (fileTitle.contains(QChar::Null)) {
        for (const QString& name : fileTitle.split(QChar::Null, Qt::SkipEmptyParts))
            paths << fileName + name;
    } else {
        paths << fileName;
    }
    for (const QString& path : paths) {
        const bool newWindow = !reuse;
        reuse = false;
        frmDocument* doc = newWindow ? CreateDocument() : active;
        if (!fctnLoadDocument(QFileInfo(path).fileName(), path) && newWindow)
            DiscardIfEmpty(doc);
    }
}

bool frmMain::writeDocument(frmDocument* doc, const QString& path)
{
    QString error;
    if (doc->IsBusy()) {
        // Half-loaded text, or text a tool is about to replace, is not what the user means to keep.
        MsgBox(QLatin1Char('\'') + path + tr("' could not be saved.") + QStringLiteral("\n") +
                   tr("The document is busy; save it when the work on it has finished."),
               MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"), this);
        return false;
    }
    // Another program's version of the document's own file is not overwritten unasked.
    if (doc->HasFile() && QFileInfo(path).absoluteFilePath() == QFileInfo(doc->PathPanel()).absoluteFilePath() &&
        !doc->ConfirmSaveOverDisk())
        return false;
    if (!doc->Editor()->SaveFile(path, false, &error)) {
        MsgBox(QLatin1Char('\'') + path + tr("' could not be saved.") + QStringLiteral("\n") + error,
               MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"), this);
        return false;
    }
    doc->RememberDiskState();
    return true;
}

bool frmMain::mnuFileSave_Click()
{
    frmDocument* doc = ActiveDocument();
    if (!doc)
        return false;
    if (!doc->HasFile())
        return mnuFileSaveAs_Click();
    const QString path = doc->PathPanel();
    if (!writeDocument(doc, path))
        return false;
    doc->SetCaption(stripStar(doc->Caption()));
    ToolbarButton(QStringLiteral("Save"))->setEnabled(false);
    AddRecentFile(path, true);
    return true;
}

bool frmMain::saveDocumentAs(frmDocument* doc, bool fromSaveAll)
{
    QString fileName, fileTitle, filter = FileFilter::Documents();
    int filterIndex = 3, flags = 0;
    if (fromSaveAll) {
        fileName = QString(doc->Caption()).remove(QLatin1Char('*'));
    } else {
        fileName = isUntitled(doc) ? stripStar(doc->Caption()) : doc->PathPanel();
        filterIndex = FileFilter::IndexForCaption(doc->Caption());
    }
    cCommonDialog dialog;
    if (!dialog.VBGetSaveFileName(fileName, fileTitle, true, filter, filterIndex, QString(), QString(), QString(), this,
                                  flags))
        return false;
    const QString path = fileName;
    if (!writeDocument(doc, path))
        return false;
    // A preview copy in the folder the document has left is of no more use.
    if (!doc->HasFile() || QFileInfo(doc->PathPanel()).absolutePath() != QFileInfo(path).absolutePath())
        CopyRegistry::Release(doc);
    doc->Panel(3)->setText(path);
    doc->Panel(3)->setToolTip(path);
    doc->RememberDiskState();   // of the new file, now that the panel names it
    doc->SetCaption(QFileInfo(path).fileName());
    ToolbarButton(QStringLiteral("Save"))->setEnabled(false);
    AddRecentFile(path, true);
    return true;
}

bool frmMain::mnuFileSaveAs_Click()
{
    frmDocument* doc = ActiveDocument();
    return doc && saveDocumentAs(doc, false);
}

void frmMain::mnuFileSaveAll_Click()
{
    for (frmDocument* doc : Documents()) {
        if (isUntitled(doc)) {
            saveDocumentAs(doc, true);
        } else if (doc->Caption().endsWith(QLatin1Char('*'))) {
            const QString path = doc->PathPanel();
            if (writeDocument(doc, path)) {
                AddRecentFile(path, true);
                doc->SetCaption(stripStar(doc->Caption()));
            }
        }
    }
    if (frmDocument* active = ActiveDocument())
        ToolbarButton(QStringLiteral("Save"))->setEnabled(active->Editor()->Modified());
}

void frmMain::mnuFileClose_Click()
{
    if (frmDocument* doc = ActiveDocument())
        if (QMdiSubWindow* sub = doc->SubWindow())
            sub->close();
}

void frmMain::mnuFileCloseAll_Click()
{
    for (;;) {
        frmDocument* doc = ActiveDocument();
        if (!doc)
            return;
        QPointer<QMdiSubWindow> sub = doc->SubWindow();
        const bool closed = sub->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!closed)
            return;
    }
}

void frmMain::mnuFileProperties_Click()
{
    frmDocument* doc = ActiveDocument();
    if (!doc)
        return;
    if (fctnShowProperties(doc->PathPanel(), this, doc->Editor()) < 33)
        MsgBox(tr("Properties not available as the current file has not been saved yet."), MsgButtons::OKOnly,
               MsgIcon::Exclamation, QStringLiteral("QRN"), this);
}

void frmMain::mnuFilePrint_Click()
{
    frmDocument* doc = ActiveDocument();
    if (!doc)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(doc->Caption());
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("dlgPrint"));
    if (Prompter::Current().ExecDialog(&dialog) != QDialog::Accepted)
        return;
    if (!doc->Editor()->PrintContents(&printer))
        MsgBox(tr("'%1' could not be printed.").arg(doc->Caption()), MsgButtons::OKOnly, MsgIcon::Exclamation,
               QStringLiteral("QRN"), this);
}

void frmMain::DropFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        fctnNewDoc();
        const QString tail = path.right(3);
        if (tail == QLatin1String("png") || tail == QLatin1String("jpg") || tail == QLatin1String("gif")) {
            fctnInsertText(ImageTagFor(path, OptFullIns), false, 13, 0);
        } else {
            frmDocument* doc = ActiveDocument();
            if (!fctnLoadDocument(QFileInfo(path).fileName(), path))
                DiscardIfEmpty(doc);
        }
    }
}

void frmMain::mnuFileExit_Click()
{
    close();
}

void frmMain::Toolbar1_ButtonClick(const QString& key)
{
    if (key == QLatin1String("New"))
        fctnNewDoc();
    else if (key == QLatin1String("Open"))
        mnuFileOpen_Click();
    else if (key == QLatin1String("Save"))
        mnuFileSave_Click();
    else if (key == QLatin1String("Undo"))
        mnuEditUndo_Click();
    else if (key == QLatin1String("Redo"))
        mnuEditRedo_Click();
    else if (key == QLatin1String("Cut"))
        mnuEditCut_Click();
    else if (key == QLatin1String("Copy"))
        mnuEditCopy_Click();
    else if (key == QLatin1String("Paste"))
        mnuEditPaste_Click();
    else if (key == QLatin1String("Find"))
        mnuEditFind_Click();
    else if (key == QLatin1String("Replace"))
        mnuEditReplace_Click();
    else if (key == QLatin1String("Exit"))
        mnuFileExit_Click();
    else if (QAction* a = Action(key == QLatin1String("Spell")      ? QStringLiteral("mnuToolsSpellCheck")
                                 : key == QLatin1String("Compress") ? QStringLiteral("mnuToolsCompress")
                                 : key == QLatin1String("Tidy")     ? QStringLiteral("mnuToolsTidy")
                                 : key == QLatin1String("External") ? QStringLiteral("mnuToolsBrowser")
                                                                    : QString()))
        a->trigger();
}

// --- edit ------------------------------------------------------------------


void frmMain::mnuEdit_DropDown()
{
    for (const char* key : {"Undo", "Redo", "Cut", "Copy", "Paste"})
        Action(QStringLiteral("mnuEdit") + QLatin1String(key))->setEnabled(ToolbarButton(QLatin1String(key))->isEnabled());
    Action("mnuEditDelete")->setEnabled(ToolbarButton(QStringLiteral("Copy"))->isEnabled());
    frmDocument* doc = ActiveDocument();
    Action("mnuEditDeleteLine")->setEnabled(doc && doc->Editor()->LineCount() > 0);
    const QString br = doc ? doc->Editor()->LineBreak() : QString();
    Action("mnuEditEolLF")->setChecked(br == QLatin1String("\n"));
    Action("mnuEditEolCRLF")->setChecked(br == QLatin1String("\r\n"));
}

void frmMain::ConvertLineBreaks(const QString& lineBreak)
{
    frmDocument* doc = ActiveDocument();
    if (!doc || !doc->IsEditMode() || doc->IsBusy())
        return;
    doc->Editor()->ConvertLineBreaks(lineBreak);
    doc->fctnRefreshStatus();
    mnuEdit_DropDown();
}

void frmMain::ReopenWithEncoding(TextEncoding encoding)
{
    // The item's check mark follows the document, whatever comes of it.
    const auto resync = qScopeGuard([this] { syncReopenMenu(); });
    frmDocument* doc = ActiveDocument();
    if (!doc || !doc->HasFile() || doc->IsBusy())
        return;
    // UTF-16 stands for both byte orders here.
    const QString name = encoding == TextEncoding::Utf16LE ? QStringLiteral("UTF-16") : FileText::EncodingName(encoding);
    if (doc->Editor()->Modified() &&
        MsgBox(QLatin1Char('\'') + doc->PathPanel() +
                   tr("' has changes that are not saved.\nReopen it as %1 and lose them?").arg(name),
               MsgButtons::YesNo | MsgButtons::DefaultButton2, MsgIcon::Question, QStringLiteral("QRN"), this) != MsgAnswer::Yes)
        return;
    doc->Reload(encoding);
}

void frmMain::syncReopenMenu()
{
    frmDocument* doc = ActiveDocument();
    // Rereading needs a file, and no work under way on the text.
    Menu(QStringLiteral("mnuFileReopenEnc"))->menuAction()->setEnabled(doc && doc->HasFile() && !doc->IsBusy());
    TextEncoding current = doc ? doc->Editor()->Format().encoding : TextEncoding::Utf8;
    if (current == TextEncoding::Utf8Bom)
        current = TextEncoding::Utf8;
    else if (current == TextEncoding::Utf16BE)
        current = TextEncoding::Utf16LE;
    for (const auto& [name, encoding] : MenuTable::ReopenItems())
        Action(QLatin1String(name))->setChecked(doc && encoding == current);
}

void frmMain::mnuEditUndo_Click()
{
    if (CodeMax1* e = EditTarget(); e && e->CanUndo())
        e->Undo();
}

void frmMain::mnuEditRedo_Click()
{
    if (CodeMax1* e = EditTarget(); e && e->CanRedo())
        e->Redo();
}

void frmMain::mnuEditCut_Click()
{
    if (CodeMax1* e = EditTarget(); e && e->CanCut())
        e->Cut();
}

void frmMain::mnuEditCopy_Click()
{
    if (CodeMax1* e = EditTarget(); e && e->CanCopy())
        e->Copy();
}

void frmMain::mnuEditPaste_Click()
{
    if (CodeMax1* e = EditTarget(); e && e->CanPaste())
        e->Paste();
}

void frmMain::mnuEditDelete_Click()
{
    if (CodeMax1* e = EditTarget())
        e->ExecuteCmd(CmCmd::Delete);
}

void frmMain::mnuEditDeleteLine_Click()
{
    if (CodeMax1* e = EditTarget())
        e->ExecuteCmd(CmCmd::LineDelete);
}

void frmMain::mnuEditFind_Click()
{
    if (CodeMax1* e = EditTarget())
        e->ExecuteCmd(CmCmd::Find);
}

void frmMain::mnuEditFindNext_Click()
{
    if (CodeMax1* e = EditTarget())
        e->ExecuteCmd(CmCmd::FindNext);
}

void frmMain::mnuEditReplace_Click()
{
    if (CodeMax1* e = EditTarget())
        e->ExecuteCmd(CmCmd::FindReplace);
}

void frmMain::mnuEditGoto_Click()
{
    if (CodeMax1* e = EditTarget())
        e->ExecuteCmd(CmCmd::GotoLine, -1);
}

void frmMain::mnuEditBookmark_Click(int cmd)
{
    if (CodeMax1* e = EditTarget())
        e->ExecuteCmd(cmd);
}
