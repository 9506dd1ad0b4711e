// The insertion primitive: text into the document and the caret where the user types next.
#include "document/InsertText.h"

#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/FileText.h"
#include "document/frmDocument.h"

namespace {
int caretSteps(QStringView s)
{
    int steps = 0;
    for (qsizetype i = 0; i < s.size(); ++i, ++steps) {
        if (s[i] == QLatin1Char('\r') && i + 1 < s.size() && s[i + 1] == QLatin1Char('\n'))
            ++i;
        else if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
    }
    return steps;
}
} // namespace

void InsertIntoEditor(CodeMax1* editor, QString& text, bool wrap, int& chars, int lines)
{
    if (!editor)
        return;
    if (wrap) {
        const int blank = text.indexOf(QLatin1Char(' '));
        const QString name = blank < 0 ? text : text.left(blank);
        text = QLatin1Char('<') + text + QStringLiteral("></") + name + QLatin1Char('>');
        chars = int(name.size()) + 3;
    }
    // The counts are of text units; the caret moves over characters, and a CR LF
    // or a character beyond the Basic Multilingual Plane is one step.
    if (chars > 0)
        chars = caretSteps(QStringView(text).right(chars));
    // Snippets are written with CR LF; the document keeps its own convention.
    editor->SetSelText(FileText::NormaliseLineBreaks(text, editor->LineBreak()));
    editor->ExecuteCmd(201, 1);
    for (int i = 0; i < lines; ++i)
        editor->ExecuteCmd(149);
    if (chars > 0)
        editor->ExecuteCmd(203, chars);
    else if (chars < 0)
        editor->ExecuteCmd(201, -chars);
}

namespace {
InsertTargetScope* g_target = nullptr;
} // namespace

InsertTargetScope::InsertTargetScope() : m_outer(g_target), m_editor(Workspace::CurrentEditor())
{
    g_target = this;
}

InsertTargetScope::~InsertTargetScope()
{
    g_target = m_outer;
}

void fctnInsertText(QString text, bool wrap, int chars, int lines)
{
    CodeMax1* editor = g_target ? g_target->m_editor.data() : Workspace::CurrentEditor();
    if (!editor)
        return;
    InsertIntoEditor(editor, text, wrap, chars, lines);
}

QString fctnHtmlColour(int colour)
{
    const QString hex = QString::number(colour & 0xFFFFFF, 16).toUpper().rightJustified(6, QLatin1Char('0'));
    return QStringLiteral("\"#") + hex.mid(4, 2) + hex.mid(2, 2) + hex.left(2) + QLatin1Char('"');
}

QString fctnFileUrl(const QString& path)
{
    // Characters that would end or break the address are escaped, "%" first.
    QString p = path;
    p.replace(QLatin1Char('%'), QStringLiteral("%25"))
        .replace(QLatin1Char('#'), QStringLiteral("%23"))
        .replace(QLatin1Char('?'), QStringLiteral("%3F"))
        .replace(QLatin1Char(' '), QStringLiteral("%20"))
        .replace(QLatin1Char('"'), QStringLiteral("%22"))    // would end the attribute
        .replace(QLatin1Char('\''), QStringLiteral("%27"));  // would end a script's string
    if (!p.startsWith(QLatin1Char('/')))
        p.prepend(QLatin1Char('/'));
    return QStringLiteral("file://") + p;
}

QString ImageTagFor(const QString& path, bool fullPath)
{
    const QString source = fullPath ? fctnFileUrl(path) : path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return QStringLiteral("<IMG SRC=\"") + source + QStringLiteral("\" ALT=\"\" BORDER=\"0\">");
}

void InsertSnippet(const Snippet& snippet)
{
    fctnInsertText(snippet.text, snippet.wrap, snippet.chars, snippet.lines);
}

QString CrLf(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

QString Paired(const QString& tag, const QString& inner)
{
    return QLatin1Char('<') + tag + QLatin1Char('>') + inner + QStringLiteral("</") + tag + QLatin1Char('>');
}

QString TableOutline(const QString& firstHeader)
{
    const QString row = QStringLiteral("<TR ALIGN=\"Left\" VALIGN=\"Middle\">");
    return CrLf({QStringLiteral("<TABLE ALIGN=\"Left\" BORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"0\" WIDTH=\"100%\">"),
                 row, QStringLiteral("\t<TH>") + firstHeader + QStringLiteral("</TH>"), QStringLiteral("\t<TH></TH>"),
                 QStringLiteral("</TR>"), row, QStringLiteral("\t<TD></TD>"), QStringLiteral("\t<TD></TD>"),
                 QStringLiteral("</TR>"), QStringLiteral("</TABLE>")});
}
