// The JavaScript syntax and Scripts/functions menus' rows and the code they insert.
#include "insert/ScriptMenu.h"

#include "insert/frmAddBasic.h"

#include <QObject>

namespace {
const QString kScript = QStringLiteral("<SCRIPT LANGUAGE=\"Javascript\" TYPE=\"text/javascript\">");
const QString kEndScript = QStringLiteral("</SCRIPT>");

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
    {QT_TRANSLATE_NOOP("InsertionMenus", "New script"), "",
     [](const MenuEntry&, const QString&) {
         InsertSnippet({CrLf({kScript, QStringLiteral("<!-- Hide from older browsers"), QString(),
                              QStringLiteral("// End hide -->"), kEndScript}),
                        false, 0, 2});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "No scripts"), "",
     [](const MenuEntry&, const QString&) { InsertSnippet({QStringLiteral("NOSCRIPT"), true, 0, 0}); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Function block"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto name = AskForText(
                 QObject::tr("Enter the function name here. Leaving this value blank cancels the operation.")))
             InsertSnippet({blockOf(QStringLiteral("function ") + *name + QStringLiteral("(variables) {")), false,
                            -(9 + int(name->size())), 2});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Document write block"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto text = AskForText(QObject::tr("Enter the text to be written by the script here. Leaving this "
                                                      "value blank cancels the operation.")))
             InsertSnippet({QStringLiteral("document.write(\"") + *text + QStringLiteral("\");")});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Confirm block"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto text = AskForText(QObject::tr("Enter the confirmation message to be displayed here. Leaving "
                                                      "this value blank cancels the operation."),
                                          QObject::tr("Are you sure?")))
             InsertSnippet({QStringLiteral("var result = confirm(\"") + *text + QStringLiteral("\");")});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Alert block"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto text = AskForText(QObject::tr("Enter the warning message to be displayed here. Leaving this "
                                                      "value blank cancels the operation."),
                                          QObject::tr("Warning!")))
             InsertSnippet({QStringLiteral("alert(\"") + *text + QStringLiteral("\");")});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "If block"), "",
     [](const MenuEntry&, const QString&) {
         InsertSnippet({blockOf(QStringLiteral("if (statement) {")), false, -3, 2});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "If ... Else block"), "",
     [](const MenuEntry&, const QString&) {
         InsertSnippet({CrLf({QStringLiteral("if (statement) {"), QStringLiteral("\t"), QStringLiteral("}else {"),
                              QStringLiteral("\t"), QStringLiteral("}")}),
                        false, -3, 4});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Else block"), "",
     [](const MenuEntry&, const QString&) {
         // Columns count the tab as one character: one line up already stands after it.
         InsertSnippet({blockOf(QStringLiteral("else {")), false, 0, 1});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "For loop block"), "",
     [](const MenuEntry&, const QString&) {
         InsertSnippet({blockOf(QStringLiteral("for (i=0; i<10; i++) {")), false, -4, 2});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "While loop block"), "",
     [](const MenuEntry&, const QString&) {
         InsertSnippet({blockOf(QStringLiteral("while (condition) {")), false, -6, 2});
     }},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

} // namespace JavascriptMenu

namespace ScriptsMenu {

namespace {
// Every script inserts with the caret left at its end.
void insert(const QStringList& lines)
{
    InsertSnippet({CrLf(lines)});
}

const MenuEntry kEntries[] = {
    {QT_TRANSLATE_NOOP("InsertionMenus", "Combo-based menu script"), "",
     [](const MenuEntry&, const QString&) {
         insert({kScript, "function dropmenu(form)", "{", "\tvar myindex=form.dropmenu.selectedIndex",
                 "\twindow.open(form.dropmenu.options[myindex].value,\"main\",\"\");", "}", kEndScript,
                 "<FORM NAME=\"dropform\">", "\t<SELECT NAME=\"dropmenu\" SIZE=\"1\">",
                 "\t<OPTION SELECTED VALUE=\"\">Select an option---></OPTION>",
                 "\t<OPTION VALUE=\"\">Menu option 1</OPTION>", "\t<OPTION VALUE=\"\">Menu option 2</OPTION>",
                 "\t<OPTION VALUE=\"\">Menu option 3</OPTION>", "\t<OPTION VALUE=\"\">Menu option 4</OPTION>",
                 "\t</SELECT>", "\t<INPUT TYPE=\"Button\" VALUE=\"Go\" onClick=\"dropmenu(this.form)\">", "</FORM>"});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Pop-up window script"), "",
     [](const MenuEntry&, const QString&) { RunAttributeDialog(&frmAddBasic::SetUpPopup); }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Browser detection script"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto prefix = AskForText(QObject::tr("Enter the text to prefix the browser type here. Leaving this "
                                                        "value blank cancels the operation."),
                                            QObject::tr("You are browsing with ")))
             insert({kScript,
                     "\tdocument.write(\"" + endingInBlank(*prefix)
                         + "\" + navigator.appName + \" \" + navigator.appVersion);",
                     kEndScript});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Frame killer script"), "",
     [](const MenuEntry&, const QString&) {
         insert({kScript, "\tsetTimeout (\"changePage()\", 2000);", "\tfunction changePage() {",
                 "\t\tif (self.parent.frames.length != 0)", "\t\t\tself.parent.location=document.location;", "\t\t}",
                 kEndScript});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Last modified script"), "",
     [](const MenuEntry&, const QString&) {
         if (const auto prefix = AskForText(QObject::tr("Enter the text to prefix the 'last modified' date here. "
                                                        "Leaving this value blank cancels the operation."),
                                            QObject::tr("Last modified ")))
             insert({kScript, "\tdocument.write(\"" + endingInBlank(*prefix) + "\" + document.lastModified);",
                     kEndScript});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Month formatting script"), "",
     [](const MenuEntry&, const QString&) {
         insert({kScript, "//Example use shown here", "function GetMonth(intMonth) {",
                 "\tvar MonthArray = new Array(\"Jan\", \"Feb\", \"Mar\", \"Apr\", \"May\", \"Jun\", \"Jul\", "
                 "\"Aug\", \"Sep\", \"Oct\", \"Nov\", \"Dec\");",
                 "\treturn MonthArray[intMonth];", "}", "var today = new Date(document.lastModified);",
                 "var year = today.getYear();", "if (year<1000) year+=1900;",
                 "document.write(\"Page last modified: \" + GetMonth(today.getMonth()) + \" \" + "
                 "today.getDate() + \", \" + year);",
                 kEndScript});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Set cookie script"), "",
     [](const MenuEntry&, const QString&) {
         insert({kScript, "function setCookie(cName, cValue, daysToLive) {", "\tvar expDate = new Date();",
                 "\texpDate.setTime(expDate.getTime() + daysToLive*24*60*60*1000);",
                 "\tvar expireString = expDate.toGMTString();",
                 "\tdocument.cookie = cName + \"=\" + escape(cValue) + \";expires=\" + expireString;", "}",
                 kEndScript});
     }},
    {QT_TRANSLATE_NOOP("InsertionMenus", "Get cookie script"), "",
     [](const MenuEntry&, const QString&) {
         insert({kScript, "function getCookie(cName) {", "\tcName = cName + \"=\";", "\tvar vCookie = document.cookie;",
                 "\tif (vCookie.length > 0) {", "\t\tst = vCookie.indexOf(cName);", "\t\tif (st != -1) {",
                 "\t\t\tst = st + cName.length;", "\t\t\tend = vCookie.indexOf(\";\", st);",
                 "\t\t\tif (end == -1) end = vCookie.length;", "\t\t\treturn unescape(vCookie.substring(st, end));",
                 "\t\t}", "\t} else", "\t\treturn null;", "}", kEndScript});
     }},
};
} // namespace

std::span<const MenuEntry> Entries()
{
    return kEntries;
}

} // namespace ScriptsMenu
