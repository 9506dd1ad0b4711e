#include <QListWidget>
#include <QMenu>
#include <QToolButton>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "insert/BasicMenu.h"
#include "insert/FormatMenu.h"
#include "insert/SundryMenu.h"

// Every entry of the eleven insertion menus, run in a real main window: the
// text left in the document, the caret, and the question asked.
class TestSnippetMenus : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    frmMain* main = nullptr;

    CodeMax1* editor() const { return main->ActiveDocument()->Editor(); }

    QAction* entry(int button, const QString& caption) const
    {
        for (QAction* a : main->PowerbarButton(button)->menu()->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    }

    // Drops the button's menu down and clicks the entry, with the focus elsewhere.
    void run(int button, const QString& caption)
    {
        QMenu* menu = main->PowerbarButton(button)->menu();
        emit menu->aboutToShow();
        QAction* action = entry(button, caption);
        QVERIFY2(action, qPrintable(caption));
        main->List1()->setFocus();
        action->trigger();
    }

private slots:
    void initTestCase()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
        main = StartMain();
        QVERIFY(main);
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main));
    }
    void cleanupTestCase() { CloseMain(ScriptedPrompter::install()); }
    void init() { prompter = ScriptedPrompter::install(); }
    void cleanup() { QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | "))); }

    void menuEntriesInOrder_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("Basic") << 1
                               << QStringList{"Page wizard", "Quick page outline", "Anchor", "Image",
                                              "Colour chooser", "Comment", "Line break", "Hard return bar",
                                              "Paragraph", "Div - left aligned", "Div - right aligned",
                                              "Div - centred", "Div - justified"};
        QTest::newRow("Format") << 2
                                << QStringList{"Font", "Font size", "Bold", "Italic", "Underline", "Strikethrough",
                                               "Superscript", "Subscript", "Heading", "Blockquote", "Strong",
                                               "Emphasis", "Cite", "Pre-formatted"};
        QTest::newRow("List") << 3
                              << QStringList{"Ordered list", "Unordered list", "Line", "Definition list",
                                             "Definition data", "Menu"};
        QTest::newRow("Table") << 4
                               << QStringList{"Quick table outline", "Header cell", "Row", "Data", "Column span",
                                              "Row span", "Alignment", "Vertical alignment"};
        QTest::newRow("Form") << 5
                              << QStringList{"Quick form outline", "Text field", "Hidden field", "File field",
                                             "Password field", "Text area", "Drop-down list", "List box",
                                             "Check box", "Radio button", "Image button", "Submit button",
                                             "Reset button", "Form button"};
        QTest::newRow("Frame") << 6 << QStringList{"Frameset", "Frame", "Base frame", "In-line frame", "No frames"};
        QTest::newRow("Javascript") << 7
                                    << QStringList{"New script", "No scripts", "Function block",
                                                   "Document write block", "Confirm block", "Alert block",
                                                   "If block", "If ... Else block", "Else block", "For loop block",
                                                   "While loop block"};
        QTest::newRow("Scripts") << 8
                                 << QStringList{"Combo-based menu script", "Pop-up window script",
                                                "Browser detection script", "Frame killer script",
                                                "Last modified script", "Month formatting script",
                                                "Set cookie script", "Get cookie script"};
        QTest::newRow("ASP") << 9 << QStringList{"Include", "Tag", "Output tag", "If tag", "End tag"};
        QTest::newRow("SSI") << 10
                             << QStringList{"Include", "Exec cgi", "Insert token", "Jump to token", "Terminator"};
        QTest::newRow("Sundry") << 11
                                << QStringList{"Stylesheet link", "Meta redirect (client pull)", "Page margins",
                                               "Page transitions", "ActiveX control", "Insert DHTML layer",
                                               "Embed object", "Insert audio", "Insert video",
                                               "Insert Macromedia Flash", "Insert Macromedia Shockwave",
                                               "Parameter"};
    }
    void menuEntriesInOrder()
    {
        QFETCH(int, button);
        QFETCH(QStringList, captions);
        QStringList shown;
        for (QAction* a : main->PowerbarButton(button)->menu()->actions())
            shown << a->text();
        QCOMPARE(shown, captions);
    }

    void entries_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("before");   // "|" caret, "[...]" selection
        QTest::addColumn<QString>("answer");   // typed into the one prompt; "<none>" when none is asked
        QTest::addColumn<QString>("after");    // "|" caret
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("defaultText");

        const QString none = "<none>";
        const QString field = "Enter the %1 name here, remembering that case sensitivity is required when referring "
                              "to such fields in code. Leaving this value blank cancels the operation.";
        const QString script = "<SCRIPT LANGUAGE=\"Javascript\" TYPE=\"text/javascript\">\r\n";

        // Basic
        QTest::newRow("outline") << 1 << "Quick page outline" << "|" << "  My Home Page "
            << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
               "\t<TITLE>  My Home Page </TITLE>\r\n\t<META NAME=\"Description\" CONTENT=\"  My Home Page \">\r\n"
               "\t<META NAME=\"Keywords\" CONTENT=\"my, home, page\">\r\n"
               "\t<META NAME=\"Generator\" CONTENT=\"QRN Version 1.2.0\">\r\n"
               "\t<META NAME=\"MSSmartTagsPreventParsing\" CONTENT=\"True\">\r\n</HEAD>\r\n<BODY>\r\n|\r\n"
               "</BODY>\r\n</HTML>"
            << "Enter the title of the page here. Leaving this blank or clicking cancel aborts this operation."
            << "";
        QTest::newRow("comment") << 1 << "Comment" << "a[b]c" << "note" << "a<!-- note -->|c"
                                 << "Enter your comment here. Leaving the comment blank cancels the operation." << "";
        QTest::newRow("comment of one blank") << 1 << "Comment" << "|" << " " << "<!--   -->|"
                                              << "Enter your comment here. Leaving the comment blank cancels the "
                                                 "operation." << "";
        QTest::newRow("line break") << 1 << "Line break" << "a[bc]d" << none << "a<BR>\r\n|d" << "" << "";
        QTest::newRow("hard return bar") << 1 << "Hard return bar" << "|" << none
                                         << "<HR ALIGN=\"Center\" WIDTH=\"100%\">\r\n|" << "" << "";
        QTest::newRow("paragraph empty") << 1 << "Paragraph" << "|" << none << "<P ALIGN=\"Left\">\r\n|\r\n</P>"
                                         << "" << "";
        QTest::newRow("paragraph sel") << 1 << "Paragraph" << "[Hello world]" << none
                                       << "<P ALIGN=\"Left\">\r\n|Hello world\r\n</P>" << "" << "";
        QTest::newRow("div left") << 1 << "Div - left aligned" << "|" << none
                                  << "<DIV ALIGN=\"Left\">\r\n|\r\n</DIV>" << "" << "";
        QTest::newRow("div right") << 1 << "Div - right aligned" << "|" << none
                                   << "<DIV ALIGN=\"Right\">\r\n|\r\n</DIV>" << "" << "";
        QTest::newRow("div centred") << 1 << "Div - centred" << "[Hello]" << none
                                     << "<DIV ALIGN=\"Center\">\r\n|Hello\r\n</DIV>" << "" << "";
        QTest::newRow("div justified") << 1 << "Div - justified" << "|" << none
                                       << "<DIV ALIGN=\"Justify\">\r\n|\r\n</DIV>" << "" << "";

        // Format
        const QString heading = "Enter your heading size here (integers from 1 to 6 only). Leaving the heading size "
                                "blank cancels the operation.";
        QTest::newRow("bold sel") << 2 << "Bold" << "[word]" << none << "<B>word</B>|" << "" << "";
        QTest::newRow("bold empty") << 2 << "Bold" << "|" << none << "<B></B>|" << "" << "";
        const char* paired[][2] = {{"Italic", "I"}, {"Underline", "U"}, {"Strikethrough", "STRIKE"},
                                   {"Superscript", "SUP"}, {"Subscript", "SUB"}, {"Blockquote", "BLOCKQUOTE"},
                                   {"Strong", "STRONG"}, {"Emphasis", "EM"}, {"Cite", "CITE"},
                                   {"Pre-formatted", "PRE"}};
        for (const auto& [caption, tag] : paired)
            QTest::newRow(caption) << 2 << caption << "[x]" << none
                                   << QString("<%1>x</%1>|").arg(tag) << "" << "";
        QTest::newRow("heading 3") << 2 << "Heading" << "[Title]" << "3" << "<H3>Title</H3>|" << heading << "";
        QTest::newRow("font size 7") << 2 << "Font size" << "[x]" << "7" << "<FONT SIZE=\"7\">x</FONT>|"
                                     << "Enter your font size here (integers from 1 to 7 only). Leaving the font "
                                        "size blank cancels the operation." << "";

        // List
        QTest::newRow("ordered empty") << 3 << "Ordered list" << "|" << none << "<OL>\r\n|\r\n</OL>" << "" << "";
        QTest::newRow("unordered sel") << 3 << "Unordered list" << "[item]" << none << "<UL>\r\n|item\r\n</UL>"
                                       << "" << "";
        QTest::newRow("line") << 3 << "Line" << "|" << none << "<LI>\r\n|\r\n</LI>" << "" << "";
        QTest::newRow("definition data") << 3 << "Definition data" << "|" << none << "<DD>\r\n|\r\n</DD>" << ""
                                         << "";
        QTest::newRow("menu") << 3 << "Menu" << "[m]" << none << "<MENU>\r\n|m\r\n</MENU>" << "" << "";
        QTest::newRow("definition list") << 3 << "Definition list" << "[term]" << none
                                         << "<DL>\r\n\t<DT>|term</DT>\r\n\t<DD></DD>\r\n</DL>" << "" << "";

        // Table
        QTest::newRow("quick table") << 4 << "Quick table outline" << "|" << none
            << "<TABLE ALIGN=\"Left\" BORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"0\" WIDTH=\"100%\">\r\n"
               "<TR ALIGN=\"Left\" VALIGN=\"Middle\">\r\n\t<TH>|</TH>\r\n\t<TH></TH>\r\n</TR>\r\n"
               "<TR ALIGN=\"Left\" VALIGN=\"Middle\">\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n</TR>\r\n</TABLE>"
            << "" << "";
        QTest::newRow("header cell") << 4 << "Header cell" << "[x]" << none << "<TH>|</TH>" << "" << "";
        QTest::newRow("data") << 4 << "Data" << "|" << none << "<TD>|</TD>" << "" << "";
        QTest::newRow("row") << 4 << "Row" << "|" << none << "<TR>\r\n|\r\n</TR>" << "" << "";
        QTest::newRow("column span") << 4 << "Column span" << "<TD [x]>" << none << "<TD COLSPAN=\"2\"|>" << ""
                                     << "";
        QTest::newRow("row span") << 4 << "Row span" << "|" << none << "ROWSPAN=\"2\"|" << "" << "";
        QTest::newRow("alignment") << 4 << "Alignment" << "|" << none << "ALIGN=\"Left\"|" << "" << "";
        QTest::newRow("vertical alignment") << 4 << "Vertical alignment" << "|" << none << "VALIGN=\"Top\"|" << ""
                                            << "";

        // Form
        QTest::newRow("quick form") << 5 << "Quick form outline" << "[x]" << none
            << "<FORM ACTION=\"\">\r\n\t|\r\n\t<INPUT NAME=\"Submit1\" TYPE=\"Submit\" VALUE=\"Submit\">\r\n"
               "\t<INPUT NAME=\"Reset1\" TYPE=\"Reset\" VALUE=\"Reset\">\r\n</FORM>"
            << "" << "";
        QTest::newRow("text field") << 5 << "Text field" << "|" << "q" << "<INPUT NAME=\"q\" TYPE=\"Text\" VALUE=\"|\">"
                                    << field.arg("text field") << "";
        QTest::newRow("hidden field with blank") << 5 << "Hidden field" << "|" << "my id"
                                                 << "<INPUT NAME=\"my id\" TYPE=\"Hidden\" VALUE=\"|\">"
                                                 << field.arg("hidden field") << "";
        QTest::newRow("password field") << 5 << "Password field" << "|" << "pwd"
                                        << "<INPUT NAME=\"pwd\" TYPE=\"Password\" VALUE=\"|\">"
                                        << field.arg("password field") << "";
        QTest::newRow("file field") << 5 << "File field" << "|" << none << "<INPUT TYPE=\"File\" VALUE=\"|\">" << ""
                                    << "";
        QTest::newRow("text area") << 5 << "Text area" << "|" << "msg"
                                   << "<TEXTAREA NAME=\"msg\" ROWS=\"5\" COLS=\"50\">|</TEXTAREA>"
                                   << field.arg("textarea field") << "";
        QTest::newRow("drop-down list") << 5 << "Drop-down list" << "|" << "pick"
            << "<SELECT NAME=\"pick\">\r\n\t<OPTION></OPTION>\r\n\t<OPTION></OPTION>\r\n\t<OPTION>|</OPTION>\r\n"
               "\t<OPTION></OPTION>\r\n</SELECT>"
            << field.arg("drop-down list field") << "";
        QTest::newRow("list box") << 5 << "List box" << "|" << "pick"
            << "<SELECT NAME=\"pick\" SIZE=\"4\">\r\n\t<OPTION>|</OPTION>\r\n\t<OPTION></OPTION>\r\n"
               "\t<OPTION></OPTION>\r\n\t<OPTION></OPTION>\r\n</SELECT>"
            << field.arg("list-box") << "";
        QTest::newRow("check box") << 5 << "Check box" << "|" << "agree"
                                   << "<INPUT TYPE=\"Checkbox\" NAME=\"agree\" VALUE=\"agree\">|"
                                   << field.arg("check box") << "";
        QTest::newRow("radio button") << 5 << "Radio button" << "|" << "r1"
                                      << "<INPUT TYPE=\"Radio\" NAME=\"r1\" VALUE=\"r1\">|"
                                      << field.arg("radio button") << "";
        QTest::newRow("image button") << 5 << "Image button" << "|" << "go"
                                      << "<INPUT NAME=\"go\" TYPE=\"Image\" SRC=\"|\">"
                                      << "Enter the image button name here. Leaving this value blank cancels the "
                                         "operation." << "";
        QTest::newRow("submit button") << 5 << "Submit button" << "|" << "Send"
                                       << "<INPUT NAME=\"Send\" TYPE=\"Submit\" VALUE=\"Send\">|"
                                       << "Enter the caption of the Submit button here. Leaving this value blank "
                                          "cancels the operation." << "";
        QTest::newRow("reset button") << 5 << "Reset button" << "|" << "Clear"
                                      << "<INPUT NAME=\"Clear\" TYPE=\"Reset\" VALUE=\"Clear\">|"
                                      << "Enter the caption of the Reset button here. Leaving this value blank "
                                         "cancels the operation." << "";
        QTest::newRow("form button") << 5 << "Form button" << "|" << "Go"
                                     << "<INPUT NAME=\"Go\" TYPE=\"Button\" VALUE=\"Go\">|"
                                     << "Enter the caption of the form button here. Leaving this value blank "
                                        "cancels the operation." << "";

        // Frameset
        QTest::newRow("frameset") << 6 << "Frameset" << "|" << none << "<FRAMESET>|</FRAMESET>" << "" << "";
        QTest::newRow("frame") << 6 << "Frame" << "|" << none << "<FRAME>|" << "" << "";
        QTest::newRow("base frame") << 6 << "Base frame" << "|" << none << "<BASE HREF=\"|\" TARGET=\"\">" << ""
                                    << "";
        QTest::newRow("in-line frame") << 6 << "In-line frame" << "|" << none << "<IFRAME SRC=\"|\"></IFRAME>" << ""
                                       << "";
        QTest::newRow("no frames") << 6 << "No frames" << "[x]" << none << "<NOFRAMES>|</NOFRAMES>" << "" << "";

        // JavaScript syntax
        QTest::newRow("new script") << 7 << "New script" << "|" << none
                                    << script + "<!-- Hide from older browsers\r\n|\r\n// End hide -->\r\n</SCRIPT>"
                                    << "" << "";
        QTest::newRow("no scripts") << 7 << "No scripts" << "[old]" << none << "<NOSCRIPT>|</NOSCRIPT>" << "" << "";
        QTest::newRow("function") << 7 << "Function block" << "|" << "init" << "function init(|variables) {\r\n\t\r\n}"
                                  << "Enter the function name here. Leaving this value blank cancels the operation."
                                  << "";
        QTest::newRow("document write") << 7 << "Document write block" << "|" << "Hi \"you\""
                                        << "document.write(\"Hi \"you\"\");|"
                                        << "Enter the text to be written by the script here. Leaving this value "
                                           "blank cancels the operation." << "";
        QTest::newRow("confirm") << 7 << "Confirm block" << "|" << "Are you sure?"
                                 << "var result = confirm(\"Are you sure?\");|"
                                 << "Enter the confirmation message to be displayed here. Leaving this value blank "
                                    "cancels the operation." << "Are you sure?";
        QTest::newRow("alert default") << 7 << "Alert block" << "|" << "Warning!" << "alert(\"Warning!\");|"
                                       << "Enter the warning message to be displayed here. Leaving this value blank "
                                          "cancels the operation." << "Warning!";
        QTest::newRow("if") << 7 << "If block" << "|" << none << "if (|statement) {\r\n\t\r\n}" << "" << "";
        QTest::newRow("if else") << 7 << "If ... Else block" << "|" << none
                                 << "if (|statement) {\r\n\t\r\n}else {\r\n\t\r\n}" << "" << "";
        QTest::newRow("else") << 7 << "Else block" << "|" << none << "else {\r\n\t|\r\n}" << "" << "";
        QTest::newRow("for") << 7 << "For loop block" << "|" << none << "for (|i=0; i<10; i++) {\r\n\t\r\n}" << ""
                             << "";
        QTest::newRow("while") << 7 << "While loop block" << "|" << none << "while (|condition) {\r\n\t\r\n}" << ""
                               << "";

        // Scripts/functions
        const QString browser = "Enter the text to prefix the browser type here. Leaving this value blank cancels "
                                "the operation.";
        QTest::newRow("browser detection") << 8 << "Browser detection script" << "|" << "Browser:"
            << script + "\tdocument.write(\"Browser: \" + navigator.appName + \" \" + navigator.appVersion);\r\n"
                        "</SCRIPT>|"
            << browser << "You are browsing with ";
        QTest::newRow("browser detection blank") << 8 << "Browser detection script" << "|" << "Browser: "
            << script + "\tdocument.write(\"Browser: \" + navigator.appName + \" \" + navigator.appVersion);\r\n"
                        "</SCRIPT>|"
            << browser << "You are browsing with ";
        QTest::newRow("last modified") << 8 << "Last modified script" << "|" << "Last modified "
            << script + "\tdocument.write(\"Last modified \" + document.lastModified);\r\n</SCRIPT>|"
            << "Enter the text to prefix the 'last modified' date here. Leaving this value blank cancels the "
               "operation."
            << "Last modified ";
        QTest::newRow("frame killer") << 8 << "Frame killer script" << "|" << none
            << script + "\tsetTimeout (\"changePage()\", 2000);\r\n\tfunction changePage() {\r\n"
                        "\t\tif (self.parent.frames.length != 0)\r\n\t\t\tself.parent.location=document.location;\r\n"
                        "\t\t}\r\n</SCRIPT>|"
            << "" << "";
        QTest::newRow("combo menu") << 8 << "Combo-based menu script" << "|" << none
            << script + "function dropmenu(form)\r\n{\r\n\tvar myindex=form.dropmenu.selectedIndex\r\n"
                        "\twindow.open(form.dropmenu.options[myindex].value,\"main\",\"\");\r\n}\r\n</SCRIPT>\r\n"
                        "<FORM NAME=\"dropform\">\r\n\t<SELECT NAME=\"dropmenu\" SIZE=\"1\">\r\n"
                        "\t<OPTION SELECTED VALUE=\"\">Select an option---></OPTION>\r\n"
                        "\t<OPTION VALUE=\"\">Menu option 1</OPTION>\r\n\t<OPTION VALUE=\"\">Menu option 2</OPTION>\r\n"
                        "\t<OPTION VALUE=\"\">Menu option 3</OPTION>\r\n\t<OPTION VALUE=\"\">Menu option 4</OPTION>\r\n"
                        "\t</SELECT>\r\n\t<INPUT TYPE=\"Button\" VALUE=\"Go\" onClick=\"dropmenu(this.form)\">\r\n"
                        "</FORM>|"
            << "" << "";
        QTest::newRow("month formatting") << 8 << "Month formatting script" << "|" << none
            << script + "//Example use shown here\r\nfunction GetMonth(intMonth) {\r\n"
                        "\tvar MonthArray = new Array(\"Jan\", \"Feb\", \"Mar\", \"Apr\", \"May\", \"Jun\", \"Jul\", "
                        "\"Aug\", \"Sep\", \"Oct\", \"Nov\", \"Dec\");\r\n\treturn MonthArray[intMonth];\r\n}\r\n"
                        "var today = new Date(document.lastModified);\r\nvar year = today.getYear();\r\n"
                        "if (year<1000) year+=1900;\r\ndocument.write(\"Page last modified: \" + "
                        "GetMonth(today.getMonth()) + \" \" + today.getDate() + \", \" + year);\r\n</SCRIPT>|"
            << "" << "";
        QTest::newRow("set cookie") << 8 << "Set cookie script" << "|" << none
            << script + "function setCookie(cName, cValue, daysToLive) {\r\n\tvar expDate = new Date();\r\n"
                        "\texpDate.setTime(expDate.getTime() + daysToLive*24*60*60*1000);\r\n"
                        "\tvar expireString = expDate.toGMTString();\r\n"
                        "\tdocument.cookie = cName + \"=\" + escape(cValue) + \";expires=\" + expireString;\r\n}\r\n"
                        "</SCRIPT>|"
            << "" << "";
        QTest::newRow("get cookie") << 8 << "Get cookie script" << "|" << none
            << script + "function getCookie(cName) {\r\n\tcName = cName + \"=\";\r\n\tvar vCookie = document.cookie;\r\n"
                        "\tif (vCookie.length > 0) {\r\n\t\tst = vCookie.indexOf(cName);\r\n\t\tif (st != -1) {\r\n"
                        "\t\t\tst = st + cName.length;\r\n\t\t\tend = vCookie.indexOf(\";\", st);\r\n"
                        "\t\t\tif (end == -1) end = vCookie.length;\r\n"
                        "\t\t\treturn unescape(vCookie.substring(st, end));\r\n\t\t}\r\n\t} else\r\n"
                        "\t\treturn null;\r\n}\r\n</SCRIPT>|"
            << "" << "";

        // ASP
        QTest::newRow("asp include") << 9 << "Include" << "|" << none << "<!--#INCLUDE FILE=\"|\" -->" << "" << "";
        QTest::newRow("asp tag") << 9 << "Tag" << "|" << none << "<%= | %>" << "" << "";
        QTest::newRow("asp output tag") << 9 << "Output tag" << "|" << none << "<%= | %>" << "" << "";
        QTest::newRow("asp if tag") << 9 << "If tag" << "|" << none << "<% IF | %>" << "" << "";
        QTest::newRow("asp end tag") << 9 << "End tag" << "|" << none << "<% END IF %>|" << "" << "";

        // SSI
        QTest::newRow("ssi include") << 10 << "Include" << "|" << none << "<!--#INCLUDE FILE=\"|\" -->" << "" << "";
        QTest::newRow("ssi exec") << 10 << "Exec cgi" << "|" << none << "<!--#EXEC CGI=\"|\" -->" << "" << "";
        QTest::newRow("ssi label") << 10 << "Insert token" << "|" << "top" << "<!--#LABEL=\"top\" -->|"
                                   << "Enter the label token name here for the simple 'goto label' jump. Leaving "
                                      "this value blank cancels the operation." << "";
        QTest::newRow("ssi goto") << 10 << "Jump to token" << "|" << "top" << "<!--#GOTO=\"top\" -->|"
                                  << "Enter the destination label token name here for the simple 'goto label' "
                                     "jump. Leaving this value blank cancels the operation." << "";
        QTest::newRow("ssi break") << 10 << "Terminator" << "|" << none << "<!--#BREAK -->|" << "" << "";

        // Sundry
        QTest::newRow("activex") << 11 << "ActiveX control" << "|" << none
                                 << "<OBJECT ID=\"\" CLASSID=\"\" WIDTH=\"\" HEIGHT=\"\" DATA=\"\">|</OBJECT>" << ""
                                 << "";
        QTest::newRow("dhtml layer") << 11 << "Insert DHTML layer" << "|" << none
            << "<DIV ID=\"layer1\" Style=\"position:absolute; left:?px; top:?px; width:?px; height:?px; "
               "z-index:1\">|</DIV>"
            << "" << "";
        QTest::newRow("embed") << 11 << "Embed object" << "|" << none << "<EMBED SRC=\"\">|</EMBED>" << "" << "";
        QTest::newRow("audio") << 11 << "Insert audio" << "|" << none
                               << "<EMBED SRC=\"|\" AUTOSTART=\"True\" HIDDEN=\"True\" Loop=\"0\">\r\n"
                                  "<BGSOUND SRC=\"\" LOOP=\"infinite\">"
                               << "" << "";
        QTest::newRow("video") << 11 << "Insert video" << "|" << none
                               << "<EMBED SRC=\"|\" AUTOSTART=\"True\" WIDTH=\"150\" HEIGHT=\"150\">" << "" << "";
        QTest::newRow("parameter") << 11 << "Parameter" << "|" << none << "<PARAM NAME=\"\" VALUE=\"\">|</PARAM>"
                                   << "" << "";
    }
    void entries()
    {
        QFETCH(int, button);
        QFETCH(QString, caption);
        QFETCH(QString, before);
        QFETCH(QString, answer);
        QFETCH(QString, after);
        QFETCH(QString, prompt);
        QFETCH(QString, defaultText);
        SetMarkedText(editor(), before);
        if (answer != "<none>")
            prompter->queueInput(answer);
        run(button, caption);
        QCOMPARE(MarkedText(editor()), after);
        QVERIFY(editor()->hasFocus());
        if (prompt.isEmpty()) {
            QVERIFY(prompter->asked.isEmpty());
        } else {
            QCOMPARE(prompter->asked.size(), 1);
            QCOMPARE(prompter->asked[0].text, prompt);
            QCOMPARE(prompter->asked[0].defaultText, defaultText);
            QCOMPARE(prompter->asked[0].title,
                     caption == "Quick page outline" ? QStringLiteral("Quick page outline") : QStringLiteral("QRN"));
        }
    }

    // An empty answer and Cancel both leave the document as it was, focus back in the editor.
    void cancelledPrompts_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("cancel");
        const std::pair<int, const char*> prompted[] = {
            {1, "Quick page outline"}, {1, "Comment"}, {2, "Heading"}, {2, "Font size"}, {5, "Text field"},
            {5, "Text area"}, {5, "List box"}, {5, "Submit button"}, {7, "Function block"}, {7, "Alert block"},
            {8, "Browser detection script"}, {8, "Last modified script"}, {10, "Insert token"},
            {10, "Jump to token"}};
        for (const auto& [button, caption] : prompted) {
            QTest::addRow("%s cancel", caption) << button << caption << true;
            QTest::addRow("%s empty", caption) << button << caption << false;
        }
    }
    void cancelledPrompts()
    {
        QFETCH(int, button);
        QFETCH(QString, caption);
        QFETCH(bool, cancel);
        SetMarkedText(editor(), "keep [this] text");
        editor()->SetModified(false);
        prompter->queueInput(cancel ? std::nullopt : std::optional<QString>(QString()));
        run(button, caption);
        QCOMPARE(editor()->Text(), QStringLiteral("keep this text"));
        QCOMPARE(editor()->SelText(), QStringLiteral("this"));
        QVERIFY(!editor()->Modified());
        QVERIFY(editor()->hasFocus());
    }

    void sizeOutOfRange_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("heading 0") << "Heading" << "0" << "'0' is not an integer between 1 and 6 - operation cancelled.";
        QTest::newRow("heading 7") << "Heading" << "7" << "'7' is not an integer between 1 and 6 - operation cancelled.";
        QTest::newRow("heading 2.5") << "Heading" << "2.5"
                                     << "'2.5' is not an integer between 1 and 6 - operation cancelled.";
        QTest::newRow("heading abc") << "Heading" << "abc"
                                     << "'abc' is not an integer between 1 and 6 - operation cancelled.";
        QTest::newRow("heading -1") << "Heading" << "-1"
                                    << "'-1' is not an integer between 1 and 6 - operation cancelled.";
        QTest::newRow("font size 8") << "Font size" << "8"
                                     << "'8' is not an integer between 1 and 7 - operation cancelled.";
    }
    void sizeOutOfRange()
    {
        QFETCH(QString, caption);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        SetMarkedText(editor(), "[x]");
        prompter->queueInput(answer);
        prompter->queueMsgBox(MsgAnswer::OK);
        run(2, caption);
        QCOMPARE(editor()->Text(), QStringLiteral("x"));
        QCOMPARE(prompter->messages(), QStringList{message});
        QCOMPARE(prompter->asked.last().icon, int(MsgIcon::Exclamation));
        QCOMPARE(prompter->asked.last().title, QStringLiteral("QRN"));
        QVERIFY(editor()->hasFocus());
    }

    void font_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QString>("after");
        QFont plain("Arial");
        plain.setPointSizeF(12);
        QTest::newRow("regular") << plain << "<FONT FACE=\"Arial\" SIZE=\"12pt\" COLOR=\"#000000\">x|</FONT>";
        QFont styled = plain;
        styled.setPointSizeF(10.5);
        styled.setBold(true);
        styled.setUnderline(true);
        QTest::newRow("bold underlined")
            << styled << "<B><U><FONT FACE=\"Arial\" SIZE=\"10.5pt\" COLOR=\"#000000\">x|</FONT></U></B>";
        QFont all = plain;
        all.setBold(true);
        all.setItalic(true);
        all.setUnderline(true);
        all.setStrikeOut(true);
        QTest::newRow("every style")
            << all << "<B><I><U><STRIKE><FONT FACE=\"Arial\" SIZE=\"12pt\" COLOR=\"#000000\">x|</FONT></STRIKE></U></I></B>";
    }
    void font()
    {
        QFETCH(QFont, font);
        QFETCH(QString, after);
        SetMarkedText(editor(), "[x]");
        prompter->queueFont(font);
        run(2, "Font");
        QCOMPARE(MarkedText(editor()), after);
        // The next font dialog starts from the last choice.
        SetMarkedText(editor(), "|");
        prompter->queueFont(std::nullopt);
        run(2, "Font");
        QCOMPARE(prompter->asked.last().text, QStringLiteral("Arial"));
        QCOMPARE(editor()->Text(), QString());
    }

    void fontText_data()
    {
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("sel");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("chars");
        QTest::newRow("red") << 0x0000FF << "x" << "<FONT FACE=\"Arial\" SIZE=\"12pt\" COLOR=\"#FF0000\">x</FONT>" << 7;
        // The caret goes back to the first "/", which a selection may hold.
        QTest::newRow("slash in selection") << 0xFF8000 << "a/b"
                                            << "<FONT FACE=\"Arial\" SIZE=\"12pt\" COLOR=\"#0080FF\">a/b</FONT>" << 10;
    }
    void fontText()
    {
        QFETCH(int, colour);
        QFETCH(QString, sel);
        QFETCH(QString, text);
        QFETCH(int, chars);
        cCommonDialog::Font font;
        font.name = "Arial";
        font.size = 12;
        const Snippet s = FormatMenu::Font(font, colour, sel);
        QCOMPARE(s.text, text);
        QCOMPARE(s.chars, chars);
        QCOMPARE(s.lines, 0);
    }

    void colourChooser()
    {
        SetMarkedText(editor(), "[old]");
        prompter->queueColor(QColor(255, 128, 0));
        run(1, "Colour chooser");
        QCOMPARE(MarkedText(editor()), QStringLiteral("\"#FF8000\"|"));
        QCOMPARE(prompter->asked.last().text, QStringLiteral("#000000"));   // starts from black
        prompter->queueColor(std::nullopt);
        run(1, "Colour chooser");
        QCOMPARE(editor()->Text(), QStringLiteral("\"#FF8000\""));
        QVERIFY(editor()->hasFocus());
    }

    void keywords_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("keywords");
        QTest::newRow("blanks around") << "  My Home Page " << "my, home, page";
        QTest::newRow("one word") << "Welcome" << "welcome";
    }
    void keywords()
    {
        QFETCH(QString, title);
        QFETCH(QString, keywords);
        QCOMPARE(BasicMenu::Keywords(title), keywords);
    }

    void pageMarginsChangesNothing()
    {
        SetMarkedText(editor(), "a|b");
        prompter->queueMsgBox(MsgAnswer::OK);
        run(11, "Page margins");
        QCOMPARE(editor()->Text(), QStringLiteral("ab"));
        QCOMPARE(prompter->messages(), QStringList{"Not implemented yet."});
        QCOMPARE(prompter->asked.last().icon, int(MsgIcon::Information));
        QCOMPARE(prompter->asked.last().title, QStringLiteral("QRN"));
    }

    void playerObjects_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("flash") << "Insert Macromedia Flash"
            << "<OBJECT CLASSID=\"clsid:d27cdb6e-ae6d-11cf-96b8-444553540000\" CODEBASE=\""
               "http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=3,0,0,0\" WIDTH=\"32\" "
               "HEIGHT=\"32\">\r\n\t<PARAM NAME=\"src\" VALUE=\"flash-file.swf\">\r\n"
               "\t<EMBED SRC=\"flash-file.swf\" PLUGINSPAGE=\"http://www.macromedia.com/shockwave/download/\" "
               "TYPE=\"application/x-shockwave-flash\" WIDTH=\"32\" HEIGHT=\"32\">\r\n\t</EMBED>\r\n</OBJECT>";
        QTest::newRow("shockwave") << "Insert Macromedia Shockwave"
            << "<OBJECT CLASSID=\"clsid:166b1bca-3f9c-11cf-8075-444553540000\" CODEBASE=\""
               "http://download.macromedia.com/pub/shockwave/cabs/director/sw.cab#version=6,0,1,0\" WIDTH=\"32\" "
               "HEIGHT=\"32\">\r\n\t<PARAM NAME=\"src\" VALUE=\"shockwave-file.swf\">\r\n"
               "\t<EMBED SRC=\"shockwave-file.swf\" PLUGINSPAGE=\"http://www.macromedia.com/shockwave/download/\" "
               "TYPE=\"application/x-director\" WIDTH=\"32\" HEIGHT=\"32\">\r\n\t</EMBED>\r\n</OBJECT>";
    }
    void playerObjects()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        SetMarkedText(editor(), "[sel]");
        run(11, caption);
        QCOMPARE(MarkedText(editor()), text + "|");
    }

    // The menu is chosen by the button dropped down last: "Include" of ASP and of SSI, and
    // a caption of another menu does nothing.
    void dispatchByButtonAndCaption()
    {
        SetMarkedText(editor(), "|");
        RunInsertionEntryForTest(10, "Terminator");
        QCOMPARE(editor()->Text(), QStringLiteral("<!--#BREAK -->"));
        SetMarkedText(editor(), "|");
        RunInsertionEntryForTest(9, "Terminator");
        QCOMPARE(editor()->Text(), QString());
        RunInsertionEntryForTest(2, "bold");   // captions compare case-sensitively
        QCOMPARE(editor()->Text(), QString());
    }

    void lineEndingsOfTheDocument()
    {
        editor()->SetText(QString());
        editor()->SetFormat(FileFormat{TextEncoding::Utf8, "\n"});
        run(3, "Ordered list");
        QCOMPARE(MarkedText(editor()), QStringLiteral("<OL>\n|\n</OL>"));
        editor()->SetFormat(FileFormat{TextEncoding::Utf8, "\r\n"});
    }

private:
    void RunInsertionEntryForTest(int button, const QString& caption)
    {
        QMenu* menu = main->PowerbarButton(button)->menu();
        emit menu->aboutToShow();
        QAction probe(caption);
        emit menu->triggered(&probe);
    }
};

QTEST_MAIN(TestSnippetMenus)
#include "tst_snippetmenus.moc"
