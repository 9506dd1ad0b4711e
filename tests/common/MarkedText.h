#pragma once
// Texts with "|" for the caret and "[...]" for a selection, for setting up an
// edit control and checking it afterwards.
#include <QString>

#include "document/CodeMax1.h"

inline void LineColOf(const QString& text, int index, int* line, int* col)
{
    const QString head = text.left(index);
    *line = int(head.count(QLatin1Char('\n')));
    *col = int(head.size() - (head.lastIndexOf(QLatin1Char('\n')) + 1));
}

inline void SetMarkedText(CodeMax1* e, const QString& marked)
{
    QString plain = marked;
    plain.remove(QLatin1Char('|')).remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    e->SetText(plain);
    const int open = int(marked.indexOf(QLatin1Char('[')));
    int l1 = 0, c1 = 0, l2 = 0, c2 = 0;
    if (open >= 0) {
        LineColOf(plain, open, &l1, &c1);
        LineColOf(plain, int(marked.indexOf(QLatin1Char(']'))) - 1, &l2, &c2);
    } else {
        LineColOf(plain, std::max(0, int(marked.indexOf(QLatin1Char('|')))), &l1, &c1);
        l2 = l1;
        c2 = c1;
    }
    e->SetSel({l1, c1, l2, c2});
}

// The editor's text with "|" at the caret.
inline QString MarkedText(CodeMax1* e)
{
    const CodeMaxRange sel = e->GetSel(true);
    QString text = e->Text();
    int index = 0;
    for (int line = 0; line < sel.endLine; ++line)
        index = int(text.indexOf(QLatin1Char('\n'), index)) + 1;
    return text.insert(index + sel.endCol, QLatin1Char('|'));
}
