// The Form and Frameset menus' rows and the markup they insert.
#include "insert/FormMenu.h"

#include "document/InsertText.h"

#include <QObject>

namespace FormMenu {

namespace {
QString namePrompt(const QString& what)
{
    return QObject::tr("Enter the %1 name here, remembering that case sensitivity is required when referring to such "
                       "fields in code. Leaving this value blank cancels the operation.")
        .arg(what);
}

QString captionPrompt(const QString& what)
{
    return QObject::tr("Enter the caption of the %1 here. Leaving this value blank cancels the operation.").arg(what);
}

QString select(const QString& openTag)
{
    const QString option = QStringLiteral("\t<OPTION></OPTION>");
    return CrLf({openTag, option, option, option, option, QStringLiteral("</SELECT>")});
}

// Prompts name the field by its untranslated caption, as they always have.
QString captionOf(const MenuEntry& entry)
{
    return QString::fromLatin1(entry.caption);
}

// The first word of the caption is the field's TYPE.
void input(const MenuEntry& entry, const QString&)
{
    const QString caption = captionOf(entry);
    if (const auto name = AskForText(namePrompt(caption.toLower())))
        InsertSnippet({QStringLiteral("<INPUT NAME=\"") + *name + QStringLiteral("\" TYPE=\"")
                           + caption.section(QLatin1Char(' '), 0, 0) + QStringLiteral("\" VALUE=\"\">"),
                       false, 2, 0});
}

// Check boxes and radio buttons: the tag is the TYPE, the name is the VALUE too.
void choice(const MenuEntry& entry, const QString&)
{
    if (const auto name = AskForText(namePrompt(captionOf(entry).toLower())))
        InsertSnippet({QStringLiteral("<INPUT TYPE=\"") + QLatin1String(entry.tag) + QStringLiteral("\" NAME=\"")
                       + *name + QStringLiteral("\" VALUE=\"") + *name + QStringLiteral("\">")});
}

// The caption typed is both NAME and VALUE; an empty tag makes a plain button.
void button(const MenuEntry& entry, const QString& what)
{
    if (const auto name = AskForText(captionPrompt(what))) {
        const QString type = *entry.tag ? QString::fromLatin1(entry.tag) : QStringLiteral("Button");
        InsertSnippet({QStringLiteral("<INPUT NAME=\"") + *name + QStringLiteral("\" TYPE=\"") + type
                       + QStringLiteral("\" VALUE=\"") + *name + QStringLiteral("\">")});
    }
}

const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Quick form outline"), "",
     [](const MenuEntry&, const QString&) { InsertSnippet(QuickForm()); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Text field"), "", input},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Hidden field"), "", input},
    {QT_TRANSLATE_NOOP("InsertionMenus", "File field"), "",
     [](const MenuEntry&, const QString&) {
         InsertSnippet({QStringLiteral("<INPUT TYPE=\"File\" VALUE=\"\">"), false, 2, 0});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Password field"), "", input},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Text area"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto name = AskForText(namePrompt(QStringLiteral("textarea field"))))
             InsertSnippet(
                 {QStringLiteral("TEXTAREA NAME=\"") + *name + QStringLiteral("\" ROWS=\"5\" COLS=\"50\""), true, 0, 0});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Drop-down list"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto name = AskForText(namePrompt(QStringLiteral("drop-down list field"))))
             InsertSnippet({select(QStringLiteral("<SELECT NAME=\"") + *name + QStringLiteral("\">")), false, 0, 2});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "List box"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto name = AskForText(namePrompt(QStringLiteral("list-box"))))
             InsertSnippet(
                 {select(QStringLiteral("<SELECT NAME=\"") + *name + QStringLiteral("\" SIZE=\"4\">")), false, 0, 4});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Check box"), "Checkbox", choice},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Radio button"), "Radio", choice},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Image button"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto name = AskForText(
                 QObject::tr("Enter the image button name here. Leaving this value blank cancels the operation.")))
             InsertSnippet(
                 {QStringLiteral("<INPUT NAME=\"") + *name + QStringLiteral("\" TYPE=\"Image\" SRC=\"\">"), false, 2, 0});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Submit button"), "Submit",
     [](const MenuEntry& entry, const QString&) { button(entry, captionOf(entry)); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Reset button"), "Reset",
     [](const MenuEntry& entry, const QString&) { button(entry, captionOf(entry)); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Form button"), "",
     [](const MenuEntry& entry, const QString&) { button(entry, captionOf(entry).toLower()); }},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

Snippet QuickForm()
{
    return {CrLf({QStringLiteral("<FORM ACTION=\"\">"), QStringLiteral("\t"),
                  QStringLiteral("\t<INPUT NAME=\"Submit1\" TYPE=\"Submit\" VALUE=\"Submit\">"),
                  QStringLiteral("\t<INPUT NAME=\"Reset1\" TYPE=\"Reset\" VALUE=\"Reset\">"), QStringLiteral("</FORM>")}),
            false, 0, 3};
}

} // namespace FormMenu

namespace FrameMenu {

namespace {
// Frameset and No frames wrap their tag into an empty element.
void wrapped(const MenuEntry& entry, const QString&)
{
    fctnInsertText(QLatin1String(entry.tag), true);
}

const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Frameset"), "FRAMESET", wrapped},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Frame"), "",
     [](const MenuEntry&, const QString&) { fctnInsertText(QStringLiteral("<FRAME>")); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Base frame"), "",
     [](const MenuEntry&, const QString&) {
         fctnInsertText(QStringLiteral("<BASE HREF=\"\" TARGET=\"\">"), false, 12);
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "In-line frame"), "IFRAME",
     [](const MenuEntry&, const QString&) {
         fctnInsertText(QStringLiteral("<IFRAME SRC=\"\"></IFRAME>"), false, 11);
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "No frames"), "NOFRAMES", wrapped},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

} // namespace FrameMenu
