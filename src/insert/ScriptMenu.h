#pragma once
// The JavaScript syntax menu (statement skeletons) and the Scripts/functions
// menu (a small library of complete client-side scripts).
#include "insert/Snippet.h"

#include <span>

namespace JavascriptMenu {
std::span<const MenuEntry> Entries();
}

namespace ScriptsMenu {
std::span<const MenuEntry> Entries();
}
