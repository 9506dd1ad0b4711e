#include "insert/BasicMenu.h"

#include "document/Workspace.h"
#include "document/InsertText.h"
#include "insert/frmAddBasic.h"
#include "insert/frmNew.h"
#include "base/cCommonDialog.h"

namespace BasicMenu {

namespace {
const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Page wizard"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Quick page outline"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Anchor"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Image"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Colour chooser"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Comment"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Line break"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Hard return bar"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Paragraph"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Div - left aligned"), "Left"},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Div - right aligned"), "Right"},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Div - centred"), "Center"},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Div - justified"), "Justify"},
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

void Click(const QString& caption, const QString& tag, const QString& sel)
{
    if (caption == QLatin1String("Page wizard")) {
        RunNewPageWizard(Workspace::Current());
    } else if (caption == QLatin1String("Quick page outline")) {
        const auto title = AskForText(
            QObject::tr("Enter the title of the page here. Leaving this blank or clicking cancel aborts this operation."),
            QString(), QObject::tr("Quick page outline"));
        if (title)
            InsertSnippet(QuickPageOutline(*title));
    } else if (caption == QLatin1String("Anchor")) {
        RunAttributeDialog([&sel](frmAddBasic& d) { d.SetUpAnchor(sel); });
    } else if (caption == QLatin1String("Image")) {
        RunAttributeDialog(&frmAddBasic::SetUpImage);
    } else if (caption == QLatin1String("Colour chooser")) {
        cCommonDialog chooser;
        int colour = 0;
        if (chooser.VBChooseColor(colour, true, false, false, Workspace::Current()))
            fctnInsertText(fctnHtmlColour(colour));
    } else if (caption == QLatin1String("Comment")) {
        if (const auto text = AskForText(
                QObject::tr("Enter your comment here. Leaving the comment blank cancels the operation.")))
            InsertSnippet(Comment(*text));
    } else if (caption == QLatin1String("Line break")) {
        fctnInsertText(QStringLiteral("<BR>\r\n"));
    } else if (caption == QLatin1String("Hard return bar")) {
        fctnInsertText(QStringLiteral("<HR ALIGN=\"Center\" WIDTH=\"100%\">\r\n"));
    } else if (caption == QLatin1String("Paragraph")) {
        InsertSnippet(Paragraph(sel));
    } else if (caption == QLatin1String("Div - left aligned") || caption == QLatin1String("Div - right aligned")
               || caption == QLatin1String("Div - centred") || caption == QLatin1String("Div - justified")) {
        InsertSnippet(Div(tag, sel));
    }
}

} // namespace BasicMenu
