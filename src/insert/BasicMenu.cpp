// The Basic menu's rows and the markup they insert.
#include "insert/BasicMenu.h"

#include "document/Workspace.h"
#include "document/InsertText.h"
#include "insert/frmAddBasic.h"
#include "insert/frmNew.h"
#include "base/cCommonDialog.h"

namespace BasicMenu {

namespace {
void colourChooser(const MenuEntry&, const QString&)
{
    cCommonDialog chooser;
    int colour = 0;
    if (chooser.VBChooseColor(colour, true, false, false, Workspace::Current()))
        fctnInsertText(fctnHtmlColour(colour));
}

// The Div rows differ only in their tag, the alignment.
void div(const MenuEntry& entry, const QString& sel)
{
    InsertSnippet(Div(QLatin1String(entry.tag), sel));
}

const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Page wizard"), "",
     [](const MenuEntry&, const QString&) { RunNewPageWizard(Workspace::Current()); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Quick page outline"), "",
     [](const MenuEntry& entry, const QString&) {
         // Titled with the entry's own caption.
         const auto title = AskForText(QObject::tr("Enter the title of the page here. Leaving this blank or clicking "
                                                   "cancel aborts this operation."),
                                       QString(), EntryCaption(entry));
         if (title)
             InsertSnippet(QuickPageOutline(*title));
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Anchor"), "",
     [](const MenuEntry&, const QString& sel) {
         RunAttributeDialog([&sel](frmAddBasic& d) { d.SetUpAnchor(sel); });
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Image"), "",
     [](const MenuEntry&, const QString&) { RunAttributeDialog(&frmAddBasic::SetUpImage); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Colour chooser"), "", colourChooser},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Comment"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto text = AskForText(
                 QObject::tr("Enter your comment here. Leaving the comment blank cancels the operation.")))
             InsertSnippet(Comment(*text));
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Line break"), "",
     [](const MenuEntry&, const QString&) { fctnInsertText(QStringLiteral("<BR>\r\n")); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Hard return bar"), "",
     [](const MenuEntry&, const QString&) {
         fctnInsertText(QStringLiteral("<HR ALIGN=\"Center\" WIDTH=\"100%\">\r\n"));
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Paragraph"), "",
     [](const MenuEntry&, const QString& sel) { InsertSnippet(Paragraph(sel)); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Div - left aligned"), "Left", div},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Div - right aligned"), "Right", div},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Div - centred"), "Center", div},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Div - justified"), "Justify", div},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

QString Keywords(const QString& title)
{
    return title.trimmed().replace(QLatin1Char(' '), QStringLiteral(", ")).toLower();
}

Snippet QuickPageOutline(const QString& title)
{
    return {PageSkeleton(title, title, Keywords(title), true, QStringLiteral("<BODY>")), false, 7, 2};
}

Snippet Comment(const QString& comment)
{
    return {QStringLiteral("<!-- ") + comment + QStringLiteral(" -->")};
}

Snippet Paragraph(const QString& sel)
{
    return {CrLf({QStringLiteral("<P ALIGN=\"Left\">"), sel, QStringLiteral("</P>")}), false, 4, 1};
}

Snippet Div(const QString& align, const QString& sel)
{
    return {CrLf({QStringLiteral("<DIV ALIGN=\"") + align + QStringLiteral("\">"), sel, QStringLiteral("</DIV>")}),
            false, 6, 1};
}

} // namespace BasicMenu
