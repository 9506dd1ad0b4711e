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

    // Set once the tidy run has produced the text that replaces the document's.
    bool Applied() const { return m_applied; }
    QString TidiedText() const { return m_tidied; }

    void cmdOK_Click();
    void cmdCancel_Click();

private:
    bool isTidy() const;
    void popupHelp(const QPoint& pos);
    void refreshClear();

    Workspace* m_main;
    CodeMax1* m_editor;
    QLabel* m_label;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QString m_folder;
    BusyScope* m_busy = nullptr;
    TextEncoding m_encoding = TextEncoding::Utf8;
    QString m_tidied;
    bool m_applied = false;
};
