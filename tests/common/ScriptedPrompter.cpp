#include "ScriptedPrompter.h"

ScriptedPrompter* ScriptedPrompter::install()
{
    auto* p = new ScriptedPrompter;
    Prompter::Install(p);
    return p;
}

QStringList ScriptedPrompter::messages() const
{
    QStringList out;
    for (const auto& q : asked)
        if (q.kind == QLatin1String("MsgBox"))
            out << q.text;
    return out;
}

int ScriptedPrompter::MsgBox(QWidget*, const QString& text, int buttons, int icon, const QString& title)
{
    AskedQuestion q;
    q.kind = QStringLiteral("MsgBox");
    q.text = text;
    q.title = title;
    q.buttons = buttons;
    q.icon = icon;
    asked << q;
    if (m_msg.isEmpty()) {
        unexpected << text;
        const int kind = buttons & ~(MsgButtons::DefaultButton2 | MsgButtons::DefaultButton3);
        if (kind == MsgButtons::YesNoCancel || kind == MsgButtons::OKCancel)
            return MsgAnswer::Cancel;
        if (kind == MsgButtons::YesNo)
            return MsgAnswer::No;
        return defaultMsgAnswer;
    }
    return m_msg.dequeue();
}

std::optional<QString> ScriptedPrompter::InputBox(QWidget*, const QString& prompt, const QString& title,
                                                  const QString& defaultText)
{
    AskedQuestion q;
    q.kind = QStringLiteral("InputBox");
    q.text = prompt;
    q.title = title;
    q.defaultText = defaultText;
    asked << q;
    if (m_input.isEmpty()) {
        unexpected << prompt;
        return std::nullopt;
    }
    return m_input.dequeue();
}

FileDialogResult ScriptedPrompter::FileDialog(QWidget*, const FileDialogRequest& request)
{
    AskedQuestion q;
    q.kind = QStringLiteral("FileDialog");
    q.title = request.title;
    q.file = request;
    asked << q;
    if (m_file.isEmpty()) {
        unexpected << QStringLiteral("file dialog");
        return {};
    }
    return m_file.dequeue();
}

std::optional<QColor> ScriptedPrompter::ChooseColor(QWidget*, const QColor& initial, const QList<QColor>&)
{
    AskedQuestion q;
    q.kind = QStringLiteral("Color");
    q.text = initial.name();
    asked << q;
    if (m_color.isEmpty()) {
        unexpected << QStringLiteral("colour dialog");
        return std::nullopt;
    }
    return m_color.dequeue();
}

std::optional<QFont> ScriptedPrompter::ChooseFont(QWidget*, const QFont& initial, QColor* colour)
{
    AskedQuestion q;
    q.kind = QStringLiteral("Font");
    q.text = initial.family();
    q.defaultText = colour ? colour->name() : QString();
    asked << q;
    if (m_font.isEmpty()) {
        unexpected << QStringLiteral("font dialog");
        return std::nullopt;
    }
    const QColor chosen = m_fontColour.dequeue();
    if (colour && chosen.isValid())
        *colour = chosen;
    return m_font.dequeue();
}

int ScriptedPrompter::ExecDialog(QDialog* dialog)
{
    AskedQuestion q;
    q.kind = QStringLiteral("Dialog");
    q.text = dialog->objectName();
    q.title = dialog->windowTitle();
    asked << q;
    if (m_dialog.isEmpty()) {
        unexpected << QStringLiteral("dialog ") + dialog->objectName();
        return QDialog::Rejected;
    }
    auto fn = m_dialog.dequeue();
    int r = fn(dialog);
    dialog->setResult(r);
    return r;
}
