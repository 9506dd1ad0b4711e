// The HTML Tidy dialog.
#include "tools/frmTidy.h"

#include "base/DesktopColours.h"
#include "base/Prompter.h"
#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"
#include "tools/LineDiff.h"
#include "tools/Tidy.h"
#include "tools/ToolFiles.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

frmTidy::frmTidy(Workspace* owner) : QDialog(owner), m_main(owner)
{
    setObjectName(QStringLiteral("frmTidy"));
    setWindowTitle(tr("HTML Tidy"));
    resize(640, 420);
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(tr("Log file"), this);
    m_label->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(m_label);
    m_editor = new CodeMax1(this);
    m_editor->setObjectName(QStringLiteral("CodeMax1"));
    m_editor->SetColorSyntax(false);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPointSize(10);
    m_editor->SetFont(courier);
    layout->addWidget(m_editor, 1);
    auto* buttons = new QHBoxLayout;
    m_showChanges = new QPushButton(tr("Show &changes"), this);
    m_showChanges->setObjectName(QStringLiteral("cmdShowChanges"));
    m_showChanges->setToolTip(tr("Show what Tidy document would change, before changing it"));
    buttons->addWidget(m_showChanges);
    buttons->addStretch(1);
    m_ok = new QPushButton(tr("&Tidy document"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setToolTip(tr("Tidy HTML"));
    m_cancel = new QPushButton(tr("&Close window"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setToolTip(tr("Close this window without taking further action"));
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &frmTidy::cmdOK_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmTidy::cmdCancel_Click);
    connect(m_showChanges, &QPushButton::clicked, this, &frmTidy::cmdShowChanges_Click);
    connect(m_editor, &CodeMax1::RightClick, this, &frmTidy::popupHelp);
    connect(m_editor, &CodeMax1::KeyDown, this, [this](int keyCode, int, bool* handled) {
        if (keyCode == 93) {
            popupHelp(QCursor::pos());
            *handled = true;
        }
    });
}

bool frmTidy::isTidy() const
{
    return windowTitle() == tr("HTML Tidy");
}

void frmTidy::popupHelp(const QPoint& pos)
{
    if (QMenu* help = m_main ? m_main->Menu(QStringLiteral("mnuHelp")) : nullptr)
        help->popup(pos);
}

void frmTidy::ShowTidyLog(const QString& log, const QString& folder, BusyScope* busy, TextEncoding encoding)
{
    m_folder = folder;
    m_busy = busy;
    m_encoding = encoding;
    m_log = log;
    m_editor->SetText(log);
}

void frmTidy::ShowClipboard()
{
    setWindowTitle(tr("Clipboard viewer"));
    m_showChanges->hide();
    m_ok->setText(tr("Clear &text"));
    m_ok->setToolTip(tr("Clear clipboard"));
    m_label->setText(tr("Clipboard's text contents"));
    m_editor->setToolTip(tr("Clipboard's text contents"));
    m_editor->SetText(QApplication::clipboard()->text());
    refreshClear();
}

void frmTidy::refreshClear()
{
    m_ok->setEnabled(m_editor->TextLength() > 0);
}

void frmTidy::cmdOK_Click()
{
    if (!isTidy()) {
        QApplication::clipboard()->setText(QString());
        m_editor->SetText(QApplication::clipboard()->text());
        refreshClear();
        return;
    }
    if (m_tidied.isEmpty() && !runTidy(true)) {
        cmdCancel_Click();
        return;
    }
    m_editor->SetText(m_tidied);
    m_applied = true;
    cmdCancel_Click();
}

bool frmTidy::runTidy(bool hideWhileRunning)
{
    Tidy::RunKind kind = Tidy::RunKind::Tidy;
    if (m_log.contains(QLatin1String(" - Error: "), Qt::CaseInsensitive)) {
        const QString question =
            tr("The file contains errors HTML Tidy cannot correct. Do you want to force HTML Tidy to proceed?") +
            QStringLiteral("\r\n\r\n") +
            tr("CAUTION: proceeding with HTML Tidy in this situation may result in a poorly formed document.");
        if (MsgBox(question, MsgButtons::YesNo | MsgButtons::DefaultButton2, MsgIcon::Question, QStringLiteral("QRN"),
                   this) != MsgAnswer::Yes)
            return false;
        kind = Tidy::RunKind::Forced;
    }
    if (m_busy && m_busy->Cancelled())
        return false;
    QFile page(QDir(m_folder).filePath(QStringLiteral("~tidy_qrn.html")));
    if (page.open(QIODevice::ReadOnly))
        m_original = Tidy::DecodePage(page.readAll(), m_encoding);
    page.close();
    QWidget* owner = this;
    if (hideWhileRunning) {
        hide();
        owner = m_main;
    }
    const Tidy::Outcome run = Tidy::Run(Tidy::Arguments(kind, m_folder, m_encoding), owner, m_busy);
    if (m_busy)
        m_busy->SetCancel([this] { reject(); });
    if (!run.ok) {
        if (!run.message.isEmpty())
            MsgBox(run.message, MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"), owner);
        return false;
    }
    if (!page.open(QIODevice::ReadOnly)) {
        MsgBox(tr("The result of HTML Tidy could not be read: %1.").arg(page.errorString()), MsgButtons::OKOnly,
               MsgIcon::Exclamation, QStringLiteral("QRN"), owner);
        return false;
    }
    const QString tidied = Tidy::DecodePage(page.readAll(), m_encoding);
    if (tidied.isEmpty()) {
        // An empty result would wipe the document.
        MsgBox(tr("HTML Tidy produced no output, so the document was not changed."), MsgButtons::OKOnly,
               MsgIcon::Exclamation, QStringLiteral("QRN"), owner);
        return false;
    }
    m_tidied = tidied;
    return true;
}

void frmTidy::cmdShowChanges_Click()
{
    if (!isTidy() || !m_tidied.isEmpty())
        return;
    if (!runTidy(false)) {
        if (m_busy && m_busy->Cancelled())
            cmdCancel_Click();
        return;
    }
    const QString diff = LineDiff::Unified(LineDiff::SplitLines(m_original),
                                           LineDiff::SplitLines(Tidy::ResultText(m_tidied)), tr("Document"),
                                           tr("After HTML Tidy"));
    m_label->setText(diff.isEmpty() ? tr("HTML Tidy would change nothing in this document.")
                                    : tr("What Tidy document would change"));
    m_editor->SetText(diff);
    m_editor->setReadOnly(true);
    m_showChanges->setEnabled(false);

    // Removed lines red, added lines green, readable on a light or a dark desktop.
    enum { RemovedMarker = 2, AddedMarker = 3 };
    const bool dark = DesktopColours::IsDark(palette());
    m_editor->markerDefine(QsciScintilla::Background, RemovedMarker);
    m_editor->setMarkerBackgroundColor(dark ? QColor(0x5c, 0x26, 0x26) : QColor(0xff, 0xdd, 0xdd), RemovedMarker);
    m_editor->markerDefine(QsciScintilla::Background, AddedMarker);
    m_editor->setMarkerBackgroundColor(dark ? QColor(0x22, 0x4d, 0x2a) : QColor(0xdd, 0xf7, 0xdd), AddedMarker);
    const QStringList lines = diff.split(QLatin1Char('\n'));
    for (int line = 2; line < lines.size(); ++line) {
        if (lines[line].startsWith(QLatin1Char('-')))
            m_editor->markerAdd(line, RemovedMarker);
        else if (lines[line].startsWith(QLatin1Char('+')))
            m_editor->markerAdd(line, AddedMarker);
    }
}

void frmTidy::cmdCancel_Click()
{
    if (isTidy() && !m_folder.isEmpty())
        ToolFiles::RemoveMatching(m_folder, QStringLiteral("~tidy_qrn.*"));
    if (m_applied)
        accept();
    else
        reject();
}
