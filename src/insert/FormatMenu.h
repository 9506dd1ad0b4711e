#pragma once
// The Format, List and Table menus: text formatting, lists and tables
// around the selection.
#include "insert/Snippet.h"
#include "base/cCommonDialog.h"

#include <span>

namespace FormatMenu {
std::span<const MenuEntry> Entries();

// True for a whole number from 1 to max, written with digits only.
bool IsSizeInRange(const QString& answer, int max);
// "'7' is not an integer between 1 and 6 - operation cancelled."
QString SizeMessage(const QString& answer, int max);
Snippet Heading(const QString& n, const QString& sel);
Snippet FontSize(const QString& n, const QString& sel);
// colour: a colour reference (red in the low byte).
Snippet Font(const cCommonDialog::Font& font, int colour, const QString& sel);
}

namespace ListMenu {
std::span<const MenuEntry> Entries();
Snippet List(const QString& tag, const QString& sel);
Snippet Menu(const QString& sel);
Snippet DefinitionList(const QString& sel);
}

namespace TableMenu {
std::span<const MenuEntry> Entries();
Snippet QuickTable();
Snippet Row();
}
