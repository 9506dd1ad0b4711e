#pragma once
// The start after a run that did not end cleanly: the texts it left, and for
// each the user's choice to restore it now, keep it for later or discard it.
#include <QDialog>

#include "document/Recovery.h"

class QListWidget;
class frmMain;

class frmRecover : public QDialog {
    Q_OBJECT
public:
    frmRecover(const QList<Recovery::Entry>& entries, QWidget* parent);
    QListWidget* List1() const { return m_list; }
    // The entries whose boxes are ticked.
    QList<Recovery::Entry> Checked() const;
    // done() codes: Accepted restores, Rejected keeps everything for later.
    static constexpr int Discarded = 2;
    void cmdDiscard_Click();

private:
    QList<Recovery::Entry> m_entries;
    QListWidget* m_list;
};

// Offers the texts left by runs that are no longer running, if there are any.
void OfferRecovery(frmMain* main);
