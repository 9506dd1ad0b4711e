#pragma once
// The Form and Frameset menus: form outlines, form fields and frames.
#include "insert/Snippet.h"

#include <span>

namespace FormMenu {
std::span<const MenuEntry> Entries();
void Click(const QString& caption, const QString& tag, const QString& sel);

// The question asked for an entry's field name or caption; empty when it asks none.
QString Prompt(const QString& caption);
// The text an entry inserts for the name or caption typed (ignored by entries that ask nothing).
Snippet Field(const QString& caption, const QString& tag, const QString& name);
Snippet QuickForm();
}

namespace FrameMenu {
std::span<const MenuEntry> Entries();
void Click(const QString& caption, const QString& tag, const QString& sel);
}
