#pragma once
// A Prompter for tests: records every question and answers from queues the
// test filled. An unexpected question fails the test instead of blocking.
#include "base/Prompter.h"

#include <QDialog>
#include <QList>
#include <QQueue>
#include <functional>

struct AskedQuestion {
    QString kind;     // "MsgBox", "InputBox", "FileDialog", "Color", "Font", "Dialog"
    QString text;     // message or prompt; for dialogs the objectName
    QString title;
    int buttons = 0;
    int icon = 0;
    QString defaultText;
    FileDialogRequest file;
};

class ScriptedPrompter : public Prompter {
public:
    // Installs a fresh scripted prompter as the current one and returns it.
    static ScriptedPrompter* install();

    void queueMsgBox(int answer) { m_msg.enqueue(answer); }
    void queueInput(const std::optional<QString>& answer) { m_input.enqueue(answer); }
    void queueFile(const FileDialogResult& result) { m_file.enqueue(result); }
    void queueColor(const std::optional<QColor>& c) { m_color.enqueue(c); }
    void queueFont(const std::optional<QFont>& f, const QColor& colour = QColor()) { m_font.enqueue(f); m_fontColour.enqueue(colour); }
    // The function fills the dialog and returns the exec result (QDialog::Accepted or Rejected).
    void queueDialog(std::function<int(QDialog*)> fn) { m_dialog.enqueue(std::move(fn)); }

    QList<AskedQuestion> asked;
    // Messages that had no queued answer (a test expecting none checks this is empty); they are answered
    // Cancel, No or OK, as the box allows.
    QStringList unexpected;

    int pendingAnswers() const
    {
        return int(m_msg.size() + m_input.size() + m_file.size() + m_color.size() + m_font.size() + m_dialog.size());
    }
    QStringList messages() const;

    int MsgBox(QWidget*, const QString& text, int buttons, int icon, const QString& title) override;
    std::optional<QString> InputBox(QWidget*, const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    FileDialogResult FileDialog(QWidget*, const FileDialogRequest& request) override;
    std::optional<QColor> ChooseColor(QWidget*, const QColor& initial, const QList<QColor>&) override;
    std::optional<QFont> ChooseFont(QWidget*, const QFont& initial, QColor* colour = nullptr) override;
    int ExecDialog(QDialog* dialog) override;

private:
    QQueue<int> m_msg;
    QQueue<std::optional<QString>> m_input;
    QQueue<FileDialogResult> m_file;
    QQueue<std::optional<QColor>> m_color;
    QQueue<std::optional<QFont>> m_font;
    QQueue<QColor> m_fontColour;   // invalid: the colour stays as it was
    QQueue<std::function<int(QDialog*)>> m_dialog;
};
