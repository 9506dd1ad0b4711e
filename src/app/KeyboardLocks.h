#pragma once
// Caps, Num and Scroll Lock as the keyboard shows them, read from the X
// server's XKB indicators; unknown where the window system is not X11.
#include <optional>

struct KeyboardLocks {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

std::optional<KeyboardLocks> ReadKeyboardLocks();
