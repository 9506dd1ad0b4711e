// Caps, Num and Scroll Lock read from the X server's keyboard indicators.
#include "app/KeyboardLocks.h"

#include <QGuiApplication>

// Xlib's macros (Bool, None, ...) clash with Qt's names: after every Qt header.
#include <X11/XKBlib.h>

std::optional<KeyboardLocks> ReadKeyboardLocks()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    const auto lit = [display](const char* name) {
        const Atom atom = XInternAtom(display, name, True);
        Bool on = False;
        if (atom == 0 || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
            return false;
        return on == True;
    };
    KeyboardLocks locks;
    locks.caps = lit("Caps Lock");
    locks.num = lit("Num Lock");
    locks.scroll = lit("Scroll Lock");
    return locks;
}
