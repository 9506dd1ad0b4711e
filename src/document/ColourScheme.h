#pragma once
// The user's colour scheme: six kinds of text, each with background, text
// colour and effect, pushed into an edit control's numbered slots.
#include <QColor>
#include <QString>
#include <array>

#include "base/Settings.h"

class CodeMax1;

struct KindColours {
    int background = 0;
    int text = 0;
    int effect = 0;
    bool operator==(const KindColours&) const = default;
};

namespace ColourScheme {
constexpr int KindCount = 6;
// A colour reference (red + 256*green + 65536*blue) as a colour.
inline QColor ToColor(int ref)
{
    return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
}
// "Plain", "Tag", "Att", "Val", "Comm", "Ent"
QString Prefix(int kind);
// "Plain text", "Tag", ...
QString Caption(int kind);
KindColours Read(int kind, DefaultsFor who);
// Writes one kind into the edit control's colour and style slots.
void WriteKind(CodeMax1* editor, int kind, const KindColours& colours);
// Reads one kind back from the slots the options sample keeps it in.
KindColours ReadBack(const CodeMax1* editor, int kind);
// The colours every control showing a scheme gets.
void WriteFixedLook(CodeMax1* editor);
// The default scheme's dark variant, used on a dark desktop while the scheme is the default.
KindColours DarkDefault(int kind);
bool IsDefault(const std::array<KindColours, KindCount>& scheme);
// Reads all six kinds from the settings store into SyntaxScheme and writes them to the control.
void WriteStoredKinds(CodeMax1* editor, DefaultsFor who);
// "DefFont" and "DefSize" (leading integer; the stored text may end in a blank).
QString FontFace(DefaultsFor who);
int FontSize(DefaultsFor who);
}

// The last scheme loaded or applied, kind by kind.
extern std::array<KindColours, 6> SyntaxScheme;

// Font and scheme of a document window's edit control from the settings store.
void fctnLoadSyntax(CodeMax1* editor);
