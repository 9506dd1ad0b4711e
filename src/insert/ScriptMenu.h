#pragma once
// The JavaScript syntax menu (statement skeletons) and the Scripts/functions
// menu (a small library of complete client-side scripts).
#include "insert/Snippet.h"

#include <span>

namespace JavascriptMenu {
std::span<const MenuEntry> Entries();
void Click(const QString& caption, const QString& tag, const QString& sel);
// The question an entry asks and its default answer; an empty prompt asks nothing.
QPair<QString, QString> Prompt(const QString& caption);
Snippet Text(const QString& caption, const QString& answer);
}

namespace ScriptsMenu {
std::span<const MenuEntry> Entries();
void Click(const QString& caption, const QString& tag, const QString& sel);
QPair<QString, QString> Prompt(const QString& caption);
// Every script inserts with the caret left at its end.
QString Text(const QString& caption, const QString& answer);
}
