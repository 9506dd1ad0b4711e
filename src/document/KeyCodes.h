// Keys as the edit control reports them (classic virtual-key codes) and which ones a repeat count applies to.
#pragma once

class QKeyEvent;

namespace KeyCodes {
// The classic virtual-key code of a Qt key (93 menu key, 191 "/", 32 space, 112 F1).
int VirtualKey(int key);
// Keys a repeat count applies to when typed: text and plain editing or moving keys.
bool IsRepeatable(const QKeyEvent* event);
// Shift, Ctrl, Alt, Meta and AltGr, which neither use nor cancel a repeat count.
bool IsModifier(int key);
// A Ctrl or Alt combination that would type its character although nothing binds it
// (Ctrl+= typing "="); keys with AltGr, or with Ctrl and Alt together (AltGr on some
// keyboards), type as usual.
bool TypesByMistake(const QKeyEvent* event, bool bound);
}
