// The user's colour scheme, read from the settings and written into an edit control.
#include "document/ColourScheme.h"

#include "base/DesktopColours.h"
#include "document/CodeMax1.h"

#include <QFont>
#include <algorithm>

std::array<KindColours, 6> SyntaxScheme{};

namespace {
struct SlotSet {
    int bg1, fg1, style1;
    int bg2, fg2, style2;   // -1: kind has one set only
    int extraColourSlot;    // -1: none
    bool extraIsBackground;
};

// Kind -> slots: first set, second set, extra slot.
constexpr SlotSet kSlots[6] = {
    {19, 18, 7, 5, 4, 0, 0, true},      // Plain (background also to slot 0)
    {13, 12, 4, 23, 22, 9, -1, false},  // Tag
    {11, 10, 3, 25, 24, 10, -1, false}, // Att
    {7, 6, 1, 17, 16, 6, -1, false},    // Val
    {15, 14, 5, -1, -1, -1, 30, false}, // Comm (text colour also to slot 30)
    {9, 8, 2, 21, 20, 8, -1, false},    // Ent
};

// Where the options sample keeps each kind: background, text, style.
constexpr int kReadBack[6][3] = {{5, 4, 0}, {13, 12, 4}, {25, 24, 10}, {7, 6, 1}, {15, 14, 5}, {9, 8, 2}};

const char* const kPrefixes[6] = {"Plain", "Tag", "Att", "Val", "Comm", "Ent"};
const char* const kCaptions[6] = {QT_TRANSLATE_NOOP("QObject", "Plain text"), QT_TRANSLATE_NOOP("QObject", "Tag"),
                                  QT_TRANSLATE_NOOP("QObject", "Tag attribute"),
                                  QT_TRANSLATE_NOOP("QObject", "Attribute value"),
                                  QT_TRANSLATE_NOOP("QObject", "Comment"), QT_TRANSLATE_NOOP("QObject", "Entity")};

int readInt(const SettingKey& key, DefaultsFor who)
{
    try {
        return Setting::Int(key, who);
    } catch (const SettingsError&) {
        return SettingText::ToInt(Setting::Default(key, who).toString());
    }
}
} // namespace

namespace ColourScheme {
QString Prefix(int kind)
{
    return QLatin1String(kPrefixes[kind]);
}

QString Caption(int kind)
{
    return QObject::tr(kCaptions[kind]);
}

KindColours Read(int kind, DefaultsFor who)
{
    const QString p = Prefix(kind);
    return {readInt(Key::Colour(p, "BG"), who), readInt(Key::Colour(p, "FG"), who),
            readInt(Key::Colour(p, "Effect"), who)};
}

void WriteKind(CodeMax1* editor, int kind, const KindColours& c)
{
    if (kind < 0 || kind >= KindCount)
        return;
    const SlotSet& s = kSlots[kind];
    editor->SetColor(s.bg1, c.background);
    editor->SetColor(s.fg1, c.text);
    editor->SetFontStyle(s.style1, c.effect);
    if (s.bg2 >= 0) {
        editor->SetColor(s.bg2, c.background);
        editor->SetColor(s.fg2, c.text);
        editor->SetFontStyle(s.style2, c.effect);
    }
    if (s.extraColourSlot >= 0)
        editor->SetColor(s.extraColourSlot, s.extraIsBackground ? c.background : c.text);
}

KindColours ReadBack(const CodeMax1* editor, int kind)
{
    return {editor->GetColor(kReadBack[kind][0]), editor->GetColor(kReadBack[kind][1]),
            editor->GetFontStyle(kReadBack[kind][2])};
}

void WriteFixedLook(CodeMax1* editor)
{
    editor->SetColor(3, 0x000000);
    editor->SetColor(2, 0xFFFFFF);
    editor->SetColor(1, 0x808080);
    editor->SetColor(27, 0x808080);
    editor->SetColor(26, 0xFFFFFF);
    editor->SetFontStyle(11, 0);
    editor->SetColor(28, 0xFFFFFF);
    editor->SetColor(29, 0xFFFFFF);
}

KindColours DarkDefault(int kind)
{
    // The default scheme's hues, lightened for a dark background (colour references: 0xBBGGRR).
    constexpr int back = 0x221f1e;
    constexpr KindColours dark[KindCount] = {
        {back, 0xdcdcdc, 0}, {back, 0xffb66c, 0}, {back, 0xf5a0c0, 0},
        {back, 0x7ec87e, 0}, {0x1a3a3a, 0x8080ff, 0}, {back, 0xa0a0a0, 0}};
    return kind >= 0 && kind < KindCount ? dark[kind] : KindColours{};
}

bool IsDefault(const std::array<KindColours, KindCount>& scheme)
{
    // Either column of defaults: the options dialog stores its own when applied unchanged.
    auto same = [&scheme](DefaultsFor who) {
        for (int kind = 0; kind < KindCount; ++kind) {
            const QString p = Prefix(kind);
            const KindColours d{Setting::Default(Key::Colour(p, "BG"), who).toInt(),
                                Setting::Default(Key::Colour(p, "FG"), who).toInt(),
                                Setting::Default(Key::Colour(p, "Effect"), who).toInt()};
            if (scheme[kind] != d)
                return false;
        }
        return true;
    };
    return same(DefaultsFor::Program) || same(DefaultsFor::OptionsDialog);
}

void WriteStoredKinds(CodeMax1* editor, DefaultsFor who)
{
    for (int kind = 0; kind < KindCount; ++kind)
        SyntaxScheme[kind] = Read(kind, who);
    // A scheme the user never changed follows a dark desktop; a chosen one is kept as chosen.
    if (DesktopColours::IsDark() && IsDefault(SyntaxScheme))
        for (int kind = 0; kind < KindCount; ++kind)
            SyntaxScheme[kind] = DarkDefault(kind);
    for (int kind = 0; kind < KindCount; ++kind)
        WriteKind(editor, kind, SyntaxScheme[kind]);
}

QString FontFace(DefaultsFor who)
{
    return Setting::String(Key::DefFont, who);
}

int FontSize(DefaultsFor who)
{
    return readInt(Key::DefSize, who);
}
} // namespace ColourScheme

void fctnLoadSyntax(CodeMax1* editor)
{
    QFont font(ColourScheme::FontFace(DefaultsFor::Program));
    font.setStyleHint(QFont::TypeWriter);
    // A damaged size must not ask for glyphs of a mile.
    font.setPointSize(std::clamp(ColourScheme::FontSize(DefaultsFor::Program), 1, 400));
    try {
        font.setBold(Setting::Bool(Key::DefBold));
        font.setItalic(Setting::Bool(Key::DefItalic));
    } catch (const SettingsError&) {
    }
    editor->SetFont(font);
    ColourScheme::WriteFixedLook(editor);
    ColourScheme::WriteStoredKinds(editor, DefaultsFor::Program);
}
