#pragma once
// The Basic menu: page outline and wizard, anchor, image, colour, comment,
// breaks, paragraphs and aligned divisions.
#include "insert/Snippet.h"

#include <span>

namespace BasicMenu {
std::span<const MenuEntry> Entries();

Snippet QuickPageOutline(const QString& title);
// "my, home, page" for "  My Home Page "
QString Keywords(const QString& title);
Snippet Comment(const QString& comment);
Snippet Paragraph(const QString& sel);
Snippet Div(const QString& align, const QString& sel);
}
