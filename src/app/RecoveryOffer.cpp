// At start-up, the offer to restore the texts that runs which ended without saving left behind.
#include "app/RecoveryOffer.h"

#include "base/Prompter.h"
#include "app/frmMain.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

frmRecover::frmRecover(const QList<Recovery::Entry>& entries, QWidget* parent) : QDialog(parent), m_entries(entries)
{
    setObjectName(QStringLiteral("frmRecover"));
    setWindowTitle(tr("Recover unsaved text"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("QRN did not close normally last time. The unsaved text of these documents "
                                "can be recovered; a recovered document is written to its file only when you save it."),
                             this);
    label->setWordWrap(true);
    layout->addWidget(label);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setAccessibleName(tr("Recoverable documents"));
    for (const Recovery::Entry& e : entries) {
        QString text = e.caption;
        if (!e.path.isEmpty())
            text += QStringLiteral(" (") + e.path + QLatin1Char(')');
        if (!e.damage.isEmpty())
            text += tr(" - damaged: %1").arg(e.damage);
        auto* item = new QListWidgetItem(text, m_list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(e.damage.isEmpty() ? Qt::Checked : Qt::Unchecked);
    }
    layout->addWidget(m_list, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* restore = buttons->addButton(tr("&Restore"), QDialogButtonBox::AcceptRole);
    restore->setObjectName(QStringLiteral("cmdRestore"));
    restore->setDefault(true);
    QPushButton* later = buttons->addButton(tr("&Later"), QDialogButtonBox::RejectRole);
    later->setObjectName(QStringLiteral("cmdLater"));
    later->setToolTip(tr("Keep the texts and ask again at the next start"));
    QPushButton* discard = buttons->addButton(tr("&Discard..."), QDialogButtonBox::DestructiveRole);
    discard->setObjectName(QStringLiteral("cmdDiscard"));
    connect(restore, &QPushButton::clicked, this, &QDialog::accept);
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    connect(discard, &QPushButton::clicked, this, &frmRecover::cmdDiscard_Click);
    layout->addWidget(buttons);
    resize(520, 300);
}

QList<Recovery::Entry> frmRecover::Checked() const
{
    QList<Recovery::Entry> out;
    for (int i = 0; i < m_list->count(); ++i)
        if (m_list->item(i)->checkState() == Qt::Checked)
            out << m_entries.at(i);
    return out;
}

void frmRecover::cmdDiscard_Click()
{
    if (Checked().isEmpty())
        return;
    if (MsgBox(tr("Discard the ticked texts? They cannot be brought back."), MsgButtons::YesNo | MsgButtons::DefaultButton2,
               MsgIcon::Question, QStringLiteral("QRN"), this) == MsgAnswer::Yes)
        done(Discarded);
}

void OfferRecovery(frmMain* main)
{
    const QList<Recovery::Entry> entries = Recovery::Leftovers();
    if (entries.isEmpty())
        return;
    frmRecover dialog(entries, main);
    const int result = Prompter::Current().ExecDialog(&dialog);
    if (result == frmRecover::Discarded) {
        for (const Recovery::Entry& e : dialog.Checked())
            QFile::remove(e.file);
        return;
    }
    if (result != QDialog::Accepted)
        return;
    // The empty first window of this start makes way for what comes back.
    const QList<frmDocument*> docs = main->Documents();
    if (docs.size() == 1 && !docs.first()->HasFile() && !docs.first()->Editor()->Modified())
        if (QMdiSubWindow* sub = docs.first()->SubWindow())
            sub->close();
    for (const Recovery::Entry& e : dialog.Checked())
        if (e.damage.isEmpty())
            main->RestoreDocument(e);
}
