#pragma once
// The HTML Tidy log window, also the clipboard viewer; its caption decides
// which of the two it is.
#include "document/FileText.h"

#include <QDialog>

class BusyScope;
class CodeMax1;
class QLabel;
class QPushButton;
class Workspace;

class frmTidy : public QDialog {
    Q_OBJECT
public:
    explicit frmTidy(Workspace* owner);

    // HTML Tidy: shows the check run's log; folder holds the run's files.
    // busy: the document's run, which the second Tidy run belongs to.
    // encoding: the page's, in which Tidy reads and writes it.
    void ShowTidyLog(const QString& log, const QString& folder, BusyScope* busy = nullptr,
                     TextEncoding encoding = TextEncoding::Utf8);
    // Clipboard viewer: shows the clipboard's text.
    void ShowClipboard();

    CodeMax1* Editor() const { return m_editor; }
    QLabel* Label1() const { return m_label; }
    QPushButton* cmdOK() const { return m_ok; }
    QPushButton* cmdCancel() const { return m_cancel; }
    QPushButton* cmdShowChanges() const { return m_showChanges; }

    // Set once the tidy run has produced the text that replaces the document's.
    bool Applied() const { return m_applied; }
    QString TidiedText() const { return m_tidied; }

    void cmdOK_Click();
    void cmdCancel_Click();
    // Runs Tidy and shows its result against the document as a unified diff;
    // Tidy document then applies that same result.
    void cmdShowChanges_Click();

private:
    bool isTidy() const;
    void popupHelp(const QPoint& pos);
    void refreshClear();
    bool runTidy(bool hideWhileRunning);

    Workspace* m_main;
    CodeMax1* m_editor;
    QLabel* m_label;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QPushButton* m_showChanges;
    QString m_log;
    QString m_original;   // the page as Tidy was given it
    QString m_folder;
    BusyScope* m_busy = nullptr;
    TextEncoding m_encoding = TextEncoding::Utf8;
    QString m_tidied;
    bool m_applied = false;
};
