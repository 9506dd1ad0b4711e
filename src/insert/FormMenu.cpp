#include "insert/FormMenu.h"

#include "document/InsertText.h"

#include <QObject>

namespace FormMenu {

namespace {
const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Quick form outline"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Text field"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Hidden field"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "File field"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Password field"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Text area"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Drop-down list"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "List box"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Check box"), "Checkbox"},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Radio button"), "Radio"},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Image button"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Submit button"), "Submit"},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Reset button"), "Reset"},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Form button"), ""},
};

bool isOneOf(const QString& caption, std::initializer_list<const char*> captions)
{
    for (const char* c : captions)
        if (caption == QLatin1String(c))
            return true;
    return false;
}

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
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

QString Prompt(const QString& caption)
{
    if (isOneOf(caption, {"Text field", "Hidden field", "Password field", "Check box", "Radio button"}))
        return namePrompt(caption.toLower());
    if (caption == QLatin1String("Text area"))
        return namePrompt(QStringLiteral("textarea field"));
    if (caption == QLatin1String("Drop-down list"))
        return namePrompt(QStringLiteral("drop-down list field"));
    if (caption == QLatin1String("List box"))
        return namePrompt(QStringLiteral("list-box"));
    if (caption == QLatin1String("Image button"))
        return QObject::tr("Enter the image button name here. Leaving this value blank cancels the operation.");
    if (isOneOf(caption, {"Submit button", "Reset button"}))
        return captionPrompt(caption);
    if (caption == QLatin1String("Form button"))
        return captionPrompt(QStringLiteral("form button"));
    return QString();
}

Snippet QuickForm()
{
    return {CrLf({QStringLiteral("<FORM ACTION=\"\">"), QStringLiteral("\t"),
                  QStringLiteral("\t<INPUT NAME=\"Submit1\" TYPE=\"Submit\" VALUE=\"Submit\">"),
                  QStringLiteral("\t<INPUT NAME=\"Reset1\" TYPE=\"Reset\" VALUE=\"Reset\">"), QStringLiteral("</FORM>")}),
            false, 0, 3};
}

Snippet Field(const QString& caption, const QString& tag, const QString& name)
{
    if (caption == QLatin1String("Quick form outline"))
        return QuickForm();
    if (isOneOf(caption, {"Text field", "Hidden field", "Password field"}))
        return {QStringLiteral("<INPUT NAME=\"") + name + QStringLiteral("\" TYPE=\"") + caption.section(' ', 0, 0)
                    + QStringLiteral("\" VALUE=\"\">"),
                false, 2, 0};
    if (caption == QLatin1String("File field"))
        return {QStringLiteral("<INPUT TYPE=\"File\" VALUE=\"\">"), false, 2, 0};
    if (caption == QLatin1String("Text area"))
        return {QStringLiteral("TEXTAREA NAME=\"") + name + QStringLiteral("\" ROWS=\"5\" COLS=\"50\""), true, 0, 0};
    if (caption == QLatin1String("Drop-down list"))
        return {select(QStringLiteral("<SELECT NAME=\"") + name + QStringLiteral("\">")), false, 0, 2};
    if (caption == QLatin1String("List box"))
        return {select(QStringLiteral("<SELECT NAME=\"") + name + QStringLiteral("\" SIZE=\"4\">")), false, 0, 4};
    if (isOneOf(caption, {"Check box", "Radio button"}))
        return {QStringLiteral("<INPUT TYPE=\"") + tag + QStringLiteral("\" NAME=\"") + name
                + QStringLiteral("\" VALUE=\"") + name + QStringLiteral("\">")};
    if (caption == QLatin1String("Image button"))
        return {QStringLiteral("<INPUT NAME=\"") + name + QStringLiteral("\" TYPE=\"Image\" SRC=\"\">"), false, 2, 0};
    if (isOneOf(caption, {"Submit button", "Reset button", "Form button"})) {
        const QString type = tag.isEmpty() ? QStringLiteral("Button") : tag;
        return {QStringLiteral("<INPUT NAME=\"") + name + QStringLiteral("\" TYPE=\"") + type
                + QStringLiteral("\" VALUE=\"") + name + QStringLiteral("\">")};
    }
    return {};
}

void Click(const QString& caption, const QString& tag, const QString&)
{
    const QString prompt = Prompt(caption);
    QString name;
    if (!prompt.isEmpty()) {
        const auto answer = AskForText(prompt);
        if (!answer)
            return;
        name = *answer;
    }
    const Snippet s = Field(caption, tag, name);
    if (!s.text.isEmpty())
        InsertSnippet(s);
}

} // namespace FormMenu

namespace FrameMenu {

namespace {
const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Frameset"), "FRAMESET"},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Frame"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Base frame"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "In-line frame"), "IFRAME"},
    {QT_TRANSLATE_NOOP("InsertionMenus", "No frames"), "NOFRAMES"},
};
}

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

void Click(const QString& caption, const QString& tag, const QString&)
{
    if (caption == QLatin1String("Frameset") || caption == QLatin1String("No frames"))
        fctnInsertText(tag, true);
    else if (caption == QLatin1String("Frame"))
        fctnInsertText(QStringLiteral("<FRAME>"));
    else if (caption == QLatin1String("Base frame"))
        fctnInsertText(QStringLiteral("<BASE HREF=\"\" TARGET=\"\">"), false, 12);
    else if (caption == QLatin1String("In-line frame"))
        fctnInsertText(QStringLiteral("<IFRAME SRC=\"\"></IFRAME>"), false, 11);
}

} // namespace FrameMenu
