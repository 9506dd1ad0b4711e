#include "insert/ScriptMenu.h"

#include "document/Workspace.h"
#include "insert/frmAddBasic.h"

#include <QObject>
#include <QPair>

namespace {
const QString kScript = QStringLiteral("<SCRIPT LANGUAGE=\"Javascript\" TYPE=\"text/javascript\">");
const QString kEndScript = QStringLiteral("</SCRIPT>");

// Asks the entry's question when it has one; false when the user gave no answer.
bool askFor(const QPair<QString, QString>& prompt, QString* answer)
{
    if (prompt.first.isEmpty())
        return true;
    const auto typed = AskForText(prompt.first, prompt.second);
    if (!typed)
        return false;
    *answer = *typed;
    return true;
}

QString blockOf(const QString& head)
{
    return CrLf({head, QStringLiteral("\t"), QStringLiteral("}")});
}

QString endingInBlank(const QString& text)
{
    return text.endsWith(QLatin1Char(' ')) ? text : text + QLatin1Char(' ');
}
} // namespace

namespace JavascriptMenu {

namespace {
const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "New script"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "No scripts"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Function block"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Document write block"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Confirm block"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Alert block"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "If block"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "If ... Else block"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Else block"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "For loop block"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "While loop block"), ""},
};
}

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

QPair<QString, QString> Prompt(const QString& caption)
{
    if (caption == QLatin1String("Function block"))
        return {QObject::tr("Enter the function name here. Leaving this value blank cancels the operation."), {}};
    if (caption == QLatin1String("Document write block"))
        return {QObject::tr("Enter the text to be written by the script here. Leaving this value blank cancels the "
                            "operation."),
                {}};
    if (caption == QLatin1String("Confirm block"))
        return {QObject::tr("Enter the confirmation message to be displayed here. Leaving this value blank cancels "
                            "the operation."),
                QObject::tr("Are you sure?")};
    if (caption == QLatin1String("Alert block"))
        return {QObject::tr("Enter the warning message to be displayed here. Leaving this value blank cancels the "
                            "operation."),
                QObject::tr("Warning!")};
    return {};
}

Snippet Text(const QString& caption, const QString& answer)
{
    if (caption == QLatin1String("New script"))
        return {CrLf({kScript, QStringLiteral("<!-- Hide from older browsers"), QString(),
                      QStringLiteral("// End hide -->"), kEndScript}),
                false, 0, 2};
    if (caption == QLatin1String("No scripts"))
        return {QStringLiteral("NOSCRIPT"), true, 0, 0};
    if (caption == QLatin1String("Function block"))
        return {blockOf(QStringLiteral("function ") + answer + QStringLiteral("(variables) {")), false,
                -(9 + int(answer.size())), 2};
    if (caption == QLatin1String("Document write block"))
        return {QStringLiteral("document.write(\"") + answer + QStringLiteral("\");")};
    if (caption == QLatin1String("Confirm block"))
        return {QStringLiteral("var result = confirm(\"") + answer + QStringLiteral("\");")};
    if (caption == QLatin1String("Alert block"))
        return {QStringLiteral("alert(\"") + answer + QStringLiteral("\");")};
    if (caption == QLatin1String("If block"))
        return {blockOf(QStringLiteral("if (statement) {")), false, -3, 2};
    if (caption == QLatin1String("If ... Else block"))
        return {CrLf({QStringLiteral("if (statement) {"), QStringLiteral("\t"), QStringLiteral("}else {"),
                      QStringLiteral("\t"), QStringLiteral("}")}),
                false, -3, 4};
    if (caption == QLatin1String("Else block"))
        // Columns count the tab as one character: one line up already stands after it.
        return {blockOf(QStringLiteral("else {")), false, 0, 1};
    if (caption == QLatin1String("For loop block"))
        return {blockOf(QStringLiteral("for (i=0; i<10; i++) {")), false, -4, 2};
    if (caption == QLatin1String("While loop block"))
        return {blockOf(QStringLiteral("while (condition) {")), false, -6, 2};
    return {};
}

void Click(const QString& caption, const QString&, const QString&)
{
    QString answer;
    if (askFor(Prompt(caption), &answer))
        InsertSnippet(Text(caption, answer));
}

} // namespace JavascriptMenu

namespace ScriptsMenu {

namespace {
const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Combo-based menu script"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Pop-up window script"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Browser detection script"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Frame killer script"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Last modified script"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Month formatting script"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Set cookie script"), ""},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Get cookie script"), ""},
};
}

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

QPair<QString, QString> Prompt(const QString& caption)
{
    if (caption == QLatin1String("Browser detection script"))
        return {QObject::tr("Enter the text to prefix the browser type here. Leaving this value blank cancels the "
                            "operation."),
                QObject::tr("You are browsing with ")};
    if (caption == QLatin1String("Last modified script"))
        return {QObject::tr("Enter the text to prefix the 'last modified' date here. Leaving this value blank "
                            "cancels the operation."),
                QObject::tr("Last modified ")};
    return {};
}

QString Text(const QString& caption, const QString& answer)
{
    if (caption == QLatin1String("Combo-based menu script"))
        return CrLf({kScript, "function dropmenu(form)", "{", "\tvar myindex=form.dropmenu.selectedIndex",
                     "\twindow.open(form.dropmenu.options[myindex].value,\"main\",\"\");", "}", kEndScript,
                     "<FORM NAME=\"dropform\">", "\t<SELECT NAME=\"dropmenu\" SIZE=\"1\">",
                     "\t<OPTION SELECTED VALUE=\"\">Select an option---></OPTION>",
                     "\t<OPTION VALUE=\"\">Menu option 1</OPTION>", "\t<OPTION VALUE=\"\">Menu option 2</OPTION>",
                     "\t<OPTION VALUE=\"\">Menu option 3</OPTION>", "\t<OPTION VALUE=\"\">Menu option 4</OPTION>",
                     "\t</SELECT>", "\t<INPUT TYPE=\"Button\" VALUE=\"Go\" onClick=\"dropmenu(this.form)\">",
                     "</FORM>"});
    if (caption == QLatin1String("Browser detection script"))
        return CrLf({kScript,
                     "\tdocument.write(\"" + endingInBlank(answer)
                         + "\" + navigator.appName + \" \" + navigator.appVersion);",
                     kEndScript});
    if (caption == QLatin1String("Frame killer script"))
        return CrLf({kScript, "\tsetTimeout (\"changePage()\", 2000);", "\tfunction changePage() {",
                     "\t\tif (self.parent.frames.length != 0)", "\t\t\tself.parent.location=document.location;",
                     "\t\t}", kEndScript});
    if (caption == QLatin1String("Last modified script"))
        return CrLf({kScript, "\tdocument.write(\"" + endingInBlank(answer) + "\" + document.lastModified);",
                     kEndScript});
    if (caption == QLatin1String("Month formatting script"))
        return CrLf({kScript, "//Example use shown here", "function GetMonth(intMonth) {",
                     "\tvar MonthArray = new Array(\"Jan\", \"Feb\", \"Mar\", \"Apr\", \"May\", \"Jun\", \"Jul\", "
                     "\"Aug\", \"Sep\", \"Oct\", \"Nov\", \"Dec\");",
                     "\treturn MonthArray[intMonth];", "}", "var today = new Date(document.lastModified);",
                     "var year = today.getYear();", "if (year<1000) year+=1900;",
                     "document.write(\"Page last modified: \" + GetMonth(today.getMonth()) + \" \" + "
                     "today.getDate() + \", \" + year);",
                     kEndScript});
    if (caption == QLatin1String("Set cookie script"))
        return CrLf({kScript, "function setCookie(cName, cValue, daysToLive) {", "\tvar expDate = new Date();",
                     "\texpDate.setTime(expDate.getTime() + daysToLive*24*60*60*1000);",
                     "\tvar expireString = expDate.toGMTString();",
                     "\tdocument.cookie = cName + \"=\" + escape(cValue) + \";expires=\" + expireString;", "}",
                     kEndScript});
    if (caption == QLatin1String("Get cookie script"))
        return CrLf({kScript, "function getCookie(cName) {", "\tcName = cName + \"=\";",
                     "\tvar vCookie = document.cookie;", "\tif (vCookie.length > 0) {",
                     "\t\tst = vCookie.indexOf(cName);", "\t\tif (st != -1) {", "\t\t\tst = st + cName.length;",
                     "\t\t\tend = vCookie.indexOf(\";\", st);", "\t\t\tif (end == -1) end = vCookie.length;",
                     "\t\t\treturn unescape(vCookie.substring(st, end));", "\t\t}", "\t} else", "\t\treturn null;",
                     "}", kEndScript});
    return QString();
}

void Click(const QString& caption, const QString&, const QString&)
{
    if (caption == QLatin1String("Pop-up window script")) {
        RunAttributeDialog(&frmAddBasic::SetUpPopup);
        return;
    }
    QString answer;
    if (askFor(Prompt(caption), &answer))
        InsertSnippet({Text(caption, answer)});
}

} // namespace ScriptsMenu
