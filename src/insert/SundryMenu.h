#pragma once
// The ASP, SSI and Sundry menus: server-side delimiters and directives, and
// page-level and multimedia snippets.
#include "insert/Snippet.h"

#include <span>

namespace AspMenu {
std::span<const MenuEntry> Entries();
}

namespace SsiMenu {
std::span<const MenuEntry> Entries();
}

namespace SundryMenu {
std::span<const MenuEntry> Entries();
// The player vendor's fixed addresses of the Flash and Shockwave snippets.
extern const char* const kFlashCabinet;
extern const char* const kShockwaveCabinet;
extern const char* const kPluginPage;
QString Flash();
QString Shockwave();
}
