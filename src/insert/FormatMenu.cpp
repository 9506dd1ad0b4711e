// The Format, List and Table menus' rows and the markup they insert.
#include "insert/FormatMenu.h"

#include "base/Prompter.h"
#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"
#include "document/InsertText.h"

#include <QFont>

namespace FormatMenu {

namespace {
// Asks for a size, checks it and gives it back; nullopt when nothing is to be inserted.
std::optional<QString> askSize(const QString& prompt, int max)
{
    const auto answer = AskForText(prompt);
    if (!answer)
        return std::nullopt;
    if (!IsSizeInRange(*answer, max)) {
        Prompter::Current().MsgBox(Workspace::Current(), SizeMessage(*answer, max), MsgButtons::OKOnly,
                                   MsgIcon::Exclamation, QStringLiteral("QRN"));
        return std::nullopt;
    }
    return answer;
}

// The font dialog starts from the document's last choice and keeps the new one.
constexpr const char* kFontProperty = "FontChoice";

cCommonDialog::Font documentFont(frmDocument* doc)
{
    QFont f = doc->property(kFontProperty).value<QFont>();
    if (!doc->property(kFontProperty).isValid())
        f = doc->Editor()->Font();
    cCommonDialog::Font font;
    font.name = cCommonDialog::FamilyName(f);
    font.size = f.pointSizeF() > 0 ? f.pointSizeF() : 10;
    font.weight = f.bold() ? 700 : 400;
    font.bold = f.bold();
    font.italic = f.italic();
    font.underline = f.underline();
    font.strikethrough = f.strikeOut();
    return font;
}

void keepFont(frmDocument* doc, const cCommonDialog::Font& font)
{
    QFont f(font.name);
    f.setPointSizeF(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikethrough);
    doc->setProperty(kFontProperty, f);
}
} // namespace

bool IsSizeInRange(const QString& answer, int max)
{
    if (answer.isEmpty() || answer.size() > 9)
        return false;
    for (QChar c : answer)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const int n = answer.toInt();
    return n >= 1 && n <= max;
}

QString SizeMessage(const QString& answer, int max)
{
    return QObject::tr("'%1' is not an integer between 1 and %2 - operation cancelled.").arg(answer).arg(max);
}

Snippet Heading(const QString& n, const QString& sel)
{
    return {Paired(QStringLiteral("H") + n, sel)};
}

Snippet FontSize(const QString& n, const QString& sel)
{
    return {QStringLiteral("<FONT SIZE=\"") + n + QStringLiteral("\">") + sel + QStringLiteral("</FONT>")};
}

Snippet Font(const cCommonDialog::Font& font, int colour, const QString& sel)
{
    const QString rgb = fctnHtmlColour(colour).mid(2, 6);
    QString s = QStringLiteral("<FONT FACE=\"") + font.name + QStringLiteral("\" SIZE=\"") + QString::number(font.size)
        + QStringLiteral("pt\" COLOR=\"#") + rgb + QStringLiteral("\">") + sel + QStringLiteral("</FONT>");
    if (font.strikethrough)
        s = Paired(QStringLiteral("STRIKE"), s);
    if (font.underline)
        s = Paired(QStringLiteral("U"), s);
    if (font.italic)
        s = Paired(QStringLiteral("I"), s);
    if (font.bold)
        s = Paired(QStringLiteral("B"), s);
    const int chars = int(s.size()) - (int(s.indexOf(QLatin1Char('/'))) + 1) + 2;
    return {s, false, chars, 0};
}

namespace {
void chooseFont(const MenuEntry&, const QString& sel)
{
    Workspace* main = Workspace::Current();
    frmDocument* doc = main ? main->ActiveDocument() : nullptr;
    if (!doc)
        return;
    cCommonDialog chooser;
    cCommonDialog::Font font = documentFont(doc);
    int colour = 0;
    int printerDC = -1;
    int flags = 0x00BA0100;
    if (!chooser.VBChooseFont(font, printerDC, main, colour, 0, 0, flags))
        return;
    keepFont(doc, font);
    InsertSnippet(Font(font, colour, sel));
}

// The tag names the element wrapped around the selection.
void paired(const MenuEntry& entry, const QString& sel)
{
    fctnInsertText(Paired(QLatin1String(entry.tag), sel));
}

const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Font"), "", chooseFont},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Font size"), "",
     [](const MenuEntry&, const QString& sel) {
         if (const auto n = askSize(QObject::tr("Enter your font size here (integers from 1 to 7 only). Leaving the "
                                                "font size blank cancels the operation."),
                                    7))
             InsertSnippet(FontSize(*n, sel));
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Bold"), "B", paired},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Italic"), "I", paired},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Underline"), "U", paired},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Strikethrough"), "STRIKE", paired},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Superscript"), "SUP", paired},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Subscript"), "SUB", paired},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Heading"), "",
     [](const MenuEntry&, const QString& sel) {
         if (const auto n = askSize(QObject::tr("Enter your heading size here (integers from 1 to 6 only). Leaving "
                                                "the heading size blank cancels the operation."),
                                    6))
             InsertSnippet(Heading(*n, sel));
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Blockquote"), "BLOCKQUOTE", paired},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Strong"), "STRONG", paired},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Emphasis"), "EM", paired},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Cite"), "CITE", paired},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Pre-formatted"), "PRE", paired},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

} // namespace FormatMenu

namespace ListMenu {

Snippet List(const QString& tag, const QString& sel)
{
    return {CrLf({QLatin1Char('<') + tag + QLatin1Char('>'), sel, QStringLiteral("</") + tag + QLatin1Char('>')}),
            false, 5, 1};
}

Snippet Menu(const QString& sel)
{
    return {CrLf({QStringLiteral("<MENU>"), sel, QStringLiteral("</MENU>")}), false, 7, 1};
}

Snippet DefinitionList(const QString& sel)
{
    return {CrLf({QStringLiteral("<DL>"), QStringLiteral("\t<DT>") + sel + QStringLiteral("</DT>"),
                  QStringLiteral("\t<DD></DD>"), QStringLiteral("</DL>")}),
            false, 0, 2};
}

namespace {
void list(const MenuEntry& entry, const QString& sel)
{
    InsertSnippet(List(QLatin1String(entry.tag), sel));
}

const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Ordered list"), "OL", list},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Unordered list"), "UL", list},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Line"), "LI", list},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Definition list"), "",
     [](const MenuEntry&, const QString& sel) { InsertSnippet(DefinitionList(sel)); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Definition data"), "DD", list},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Menu"), "",
     [](const MenuEntry&, const QString& sel) { InsertSnippet(Menu(sel)); }},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

} // namespace ListMenu

namespace TableMenu {

Snippet QuickTable()
{
    // Up seven lines keeps the character column of "</TABLE>"; three more to the left reach the first cell.
    return {TableOutline(), false, 3, 7};
}

Snippet Row()
{
    return {CrLf({QStringLiteral("<TR>"), QString(), QStringLiteral("</TR>")}), false, 5, 1};
}

namespace {
// Cells wrap the tag into an empty element; the attribute rows insert it as it is.
void cell(const MenuEntry& entry, const QString&)
{
    fctnInsertText(QLatin1String(entry.tag), true);
}

void attribute(const MenuEntry& entry, const QString&)
{
    fctnInsertText(QLatin1String(entry.tag));
}

const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Quick table outline"), "",
     [](const MenuEntry&, const QString&) { InsertSnippet(QuickTable()); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Header cell"), "TH", cell},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Row"), "", [](const MenuEntry&, const QString&) { InsertSnippet(Row()); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Data"), "TD", cell},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Column span"), "COLSPAN=\"2\"", attribute},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Row span"), "ROWSPAN=\"2\"", attribute},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Alignment"), "ALIGN=\"Left\"", attribute},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Vertical alignment"), "VALIGN=\"Top\"", attribute},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

} // namespace TableMenu
