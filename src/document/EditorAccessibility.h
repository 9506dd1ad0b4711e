// Keeps the edit control's accessible text, which costs a count from the start of the text at every caret move, to when a screen reader listens.
#pragma once

namespace EditorAccessibility {
// Call once a first edit control exists (its library installs its own factory then).
void Install();
}
