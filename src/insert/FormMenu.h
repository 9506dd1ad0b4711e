#pragma once
// The Form and Frameset menus: form outlines, form fields and frames.
#include "insert/Snippet.h"

#include <span>

namespace FormMenu {
std::span<const MenuEntry> Entries();
Snippet QuickForm();
}

namespace FrameMenu {
std::span<const MenuEntry> Entries();
}
