#include "ScriptedPrompter.h"

namespace {
// Records the question; the next queued answer, or none (and the question noted as unexpected).
template <typename T>
std::optional<T> take(QQueue<T>& queue, ScriptedPrompter& p, const AskedQuestion& q, const QString& missing)
{
    p.asked << q;
    if (queue.isEmpty()) {
        p.unexpected << missing;
        return std::nullopt;
    }
    return queue.dequeue();
}
} // namespace

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
    if (const auto answer = take(m_msg, *this, {"MsgBox", text, title, buttons, icon}, text))
        return *answer;
    const int kind = buttons & ~(MsgButtons::DefaultButton2 | MsgButtons::DefaultButton3);
    if (kind == MsgButtons::YesNoCancel || kind == MsgButtons::OKCancel)
        return MsgAnswer::Cancel;
    return kind == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::OK;
}

std::optional<QString> ScriptedPrompter::InputBox(QWidget*, const QString& prompt, const QString& title,
                                                  const QString& defaultText)
{
    return take(m_input, *this, {"InputBox", prompt, title, 0, 0, defaultText}, prompt).value_or(std::nullopt);
}

FileDialogResult ScriptedPrompter::FileDialog(QWidget*, const FileDialogRequest& request)
{
    return take(m_file, *this, {"FileDialog", {}, request.title, 0, 0, {}, request}, "file dialog").value_or(FileDialogResult{});
}

std::optional<QColor> ScriptedPrompter::ChooseColor(QWidget*, const QColor& initial, const QList<QColor>&)
{
    return take(m_color, *this, {"Color", initial.name()}, "colour dialog").value_or(std::nullopt);
}

std::optional<QFont> ScriptedPrompter::ChooseFont(QWidget*, const QFont& initial, QColor* colour)
{
    const auto font = take(m_font, *this, {"Font", initial.family(), {}, 0, 0, colour ? colour->name() : QString()},
                           "font dialog");
    if (!font)
        return std::nullopt;
    const QColor chosen = m_fontColour.dequeue();
    if (colour && chosen.isValid())
        *colour = chosen;
    return *font;
}

int ScriptedPrompter::ExecDialog(QDialog* dialog)
{
    const auto fn = take(m_dialog, *this, {"Dialog", dialog->objectName(), dialog->windowTitle()},
                         "dialog " + dialog->objectName());
    if (!fn)
        return QDialog::Rejected;
    dialog->setResult((*fn)(dialog));
    return dialog->result();
}
