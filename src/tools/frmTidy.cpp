// The HTML Tidy dialog.
#include "tools/frmTidy.h"

#include "base/Prompter.h"
#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"
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
    m_editor->SetText(log);
}

void frmTidy::ShowClipboard()
{
    setWindowTitle(tr("Clipboard viewer"));
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
    Tidy::RunKind kind = Tidy::RunKind::Tidy;
    if (m_editor->Text().contains(QLatin1String(" - Error: "), Qt::CaseInsensitive)) {
        const QString question =
            tr("The file contains errors HTML Tidy cannot correct. Do you want to force HTML Tidy to proceed?") +
            QStringLiteral("\r\n\r\n") +
            tr("CAUTION: proceeding with HTML Tidy in this situation may result in a poorly formed document.");
        if (MsgBox(question, MsgButtons::YesNo | MsgButtons::DefaultButton2, MsgIcon::Question, QStringLiteral("QRN"),
                   this) != MsgAnswer::Yes) {
            cmdCancel_Click();
            return;
        }
        kind = Tidy::RunKind::Forced;
    }
    if (m_busy && m_busy->Cancelled()) {
        cmdCancel_Click();
        return;
    }
    hide();
    const Tidy::Outcome run = Tidy::Run(Tidy::Arguments(kind, m_folder, m_encoding), m_main, m_busy);
    if (m_busy)
        m_busy->SetCancel([this] { reject(); });
    if (!run.ok) {
        if (!run.message.isEmpty())
            MsgBox(run.message, MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"), m_main);
        cmdCancel_Click();
        return;
    }
    QFile page(QDir(m_folder).filePath(QStringLiteral("~tidy_qrn.html")));
    if (!page.open(QIODevice::ReadOnly)) {
        MsgBox(tr("The result of HTML Tidy could not be read: %1.").arg(page.errorString()), MsgButtons::OKOnly,
               MsgIcon::Exclamation, QStringLiteral("QRN"), m_main);
        cmdCancel_Click();
        return;
    }
    m_tidied = Tidy::DecodePage(page.readAll(), m_encoding);
    if (m_tidied.isEmpty()) {
        // An empty result would wipe the document.
        MsgBox(tr("HTML Tidy produced no output, so the document was not changed."), MsgButtons::OKOnly,
               MsgIcon::Exclamation, QStringLiteral("QRN"), m_main);
        cmdCancel_Click();
        return;
    }
    m_editor->SetText(m_tidied);
    m_applied = true;
    cmdCancel_Click();
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
