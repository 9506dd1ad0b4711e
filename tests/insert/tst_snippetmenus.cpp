#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QMenu>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "document/InsertText.h"
#include "insert/FormatMenu.h"
#include "insert/Snippet.h"
#include "insert/frmAddBasic.h"
#include "insert/frmNew.h"
#include "tools/Sidebar.h"

// Every entry of the eleven insertion menus and of the sidebar, run in a real main window; the new-page wizard
// and the attribute dialog behind them, also filled directly.
class TestSnippetMenus : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    frmMain* main = nullptr;
    QTemporaryDir dir;

    CodeMax1* editor() const { return main->ActiveDocument()->Editor(); }

    static void click(QDialog* d, const char* name) { Child<QPushButton>(d, name)->click(); }
    static QString text(QDialog* d, const char* name) { return Child<QLineEdit>(d, name)->text(); }
    static void setText(QDialog* d, const char* name, const QString& t) { Child<QLineEdit>(d, name)->setText(t); }

    static void setUp(frmAddBasic& d, const QString& mode)
    {
        const QHash<QString, std::function<void()>> modes{
            {"anchor", [&] { d.SetUpAnchor("sel"); }}, {"image", [&] { d.SetUpImage(); }},
            {"stylesheet", [&] { d.SetUpStylesheet(); }}, {"redirect", [&] { d.SetUpMetaRedirect(); }},
            {"transition", [&] { d.SetUpTransition(); }}, {"popup", [&] { d.SetUpPopup(); }}};
        modes.value(mode)();
    }

    // Drops the button's menu down and clicks the entry, with the focus elsewhere; button 0: double-clicks
    // the sidebar's item.
    void run(int button, const QString& caption)
    {
        if (button == 0) {
            main->TabStrip1()->setCurrentIndex(Sidebar::Tags().contains(caption) ? 0 : 1);
            const auto found = main->List1()->findItems(caption, Qt::MatchExactly | Qt::MatchCaseSensitive);
            QCOMPARE(found.size(), 1);
            main->List1()->setFocus();
            emit main->List1()->itemDoubleClicked(found.first());
            return;
        }
        QMenu* menu = main->PowerbarButton(button)->menu();
        emit menu->aboutToShow();
        const auto actions = menu->actions();
        auto it = std::find_if(actions.begin(), actions.end(), [&](QAction* a) { return a->text() == caption; });
        QVERIFY2(it != actions.end(), qPrintable(caption));
        main->List1()->setFocus();
        (*it)->trigger();
    }

private slots:
    void initTestCase()
    {
        PrepareTestProfile();
        SaveSetting("Config", "Lbar", "2");
        main = StartMain();
        QVERIFY(QTest::qWaitForWindowActive(main));
        QCOMPARE(main->TabStrip1()->currentIndex(), 1);   // the stored sidebar tab
    }
    void cleanupTestCase() { CloseMain(ScriptedPrompter::install()); }
    void init() { prompter = ScriptedPrompter::install(); }
    void cleanup()
    {
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
        PendingInsert.clear();
    }

    // One row per entry: the text before ("|" caret, "[...]" selection), the answer typed into its one
    // prompt (none when null), the text after, and where the prompt offers one, its default.
    static void row(int button, const char* caption, const char* before, const char* answer, const QString& after,
                    const QString& defaultText = QString())
    {
        QTest::addRow("%d %s %s", button, caption, before)
            << button << QString(caption) << QString(before) << (answer ? QString(answer) : QString()) << after
            << defaultText;
    }

    void entries_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("defaultText");
        const QString script = "<SCRIPT LANGUAGE=\"Javascript\" TYPE=\"text/javascript\">\r\n";
        // The wizard's skeleton, checked whole by wizardPage, with the title and words it gives.
        row(1, "Quick page outline", "|", "  My Home Page ", "<!DOCTYPE ...\t<TITLE>  My Home Page </TITLE>\r\n"
            "\t<META NAME=\"Description\" CONTENT=\"  My Home Page \">\r\n\t<META NAME=\"Keywords\" CONTENT=\"my, home, page\">"
            "\r\n\t<META NAME=\"Generator\" ...</HEAD>\r\n<BODY>\r\n|\r\n</BODY>\r\n</HTML>");
        row(1, "Comment", "a[b]c", "note", "a<!-- note -->|c");
        row(1, "Comment", "|", " ", "<!--   -->|");
        const std::tuple<int, const char*, const char*, const char*> blocks[] = {
            {1, "Paragraph", "P ALIGN=\"Left\"", "P"}, {1, "Div - left aligned", "DIV ALIGN=\"Left\"", "DIV"},
            {1, "Div - right aligned", "DIV ALIGN=\"Right\"", "DIV"}, {1, "Div - centred", "DIV ALIGN=\"Center\"", "DIV"},
            {1, "Div - justified", "DIV ALIGN=\"Justify\"", "DIV"}, {3, "Ordered list", "OL", "OL"},
            {3, "Unordered list", "UL", "UL"}, {3, "Line", "LI", "LI"}, {3, "Definition data", "DD", "DD"},
            {3, "Menu", "MENU", "MENU"}};
        for (const auto& [button, caption, open, close] : blocks)
            row(button, caption, "[x y]", nullptr, QString("<%1>\r\n|x y\r\n</%2>").arg(open, close));
        row(1, "Line break", "a[bc]d", nullptr, "a<BR>\r\n|d");
        row(1, "Hard return bar", "|", nullptr, "<HR ALIGN=\"Center\" WIDTH=\"100%\">\r\n|");

        row(2, "Bold", "[word]", nullptr, "<B>word</B>|");
        row(2, "Bold", "|", nullptr, "<B></B>|");
        const char* paired[][2] = {{"Italic", "I"}, {"Underline", "U"}, {"Strikethrough", "STRIKE"}, {"Cite", "CITE"},
                                   {"Superscript", "SUP"}, {"Subscript", "SUB"}, {"Blockquote", "BLOCKQUOTE"},
                                   {"Strong", "STRONG"}, {"Emphasis", "EM"}, {"Pre-formatted", "PRE"}};
        for (const auto& [caption, tag] : paired)
            row(2, caption, "[x]", nullptr, QString("<%1>x</%1>|").arg(tag));
        row(2, "Heading", "[Title]", "3", "<H3>Title</H3>|");
        row(2, "Font size", "[x]", "7", "<FONT SIZE=\"7\">x</FONT>|");

        row(3, "Definition list", "[term]", nullptr, "<DL>\r\n\t<DT>|term</DT>\r\n\t<DD></DD>\r\n</DL>");

        row(4, "Quick table outline", "|", nullptr,
            "<TABLE ALIGN=\"Left\" BORDER=\"0\" CELLSPACING=\"0\" CELLPADDING=\"0\" WIDTH=\"100%\">\r\n"
            "<TR ALIGN=\"Left\" VALIGN=\"Middle\">\r\n\t<TH>|</TH>\r\n\t<TH></TH>\r\n</TR>\r\n"
            "<TR ALIGN=\"Left\" VALIGN=\"Middle\">\r\n\t<TD></TD>\r\n\t<TD></TD>\r\n</TR>\r\n</TABLE>");
        row(4, "Header cell", "[x]", nullptr, "<TH>|</TH>");
        row(4, "Row", "[x]", nullptr, "<TR>\r\n|\r\n</TR>");
        row(4, "Data", "|", nullptr, "<TD>|</TD>");
        row(4, "Column span", "<TD [x]>", nullptr, "<TD COLSPAN=\"2\"|>");
        row(4, "Row span", "|", nullptr, "ROWSPAN=\"2\"|");
        row(4, "Alignment", "|", nullptr, "ALIGN=\"Left\"|");
        row(4, "Vertical alignment", "|", nullptr, "VALIGN=\"Top\"|");

        row(5, "Quick form outline", "[x]", nullptr,
            "<FORM ACTION=\"\">\r\n\t|\r\n\t<INPUT NAME=\"Submit1\" TYPE=\"Submit\" VALUE=\"Submit\">\r\n"
            "\t<INPUT NAME=\"Reset1\" TYPE=\"Reset\" VALUE=\"Reset\">\r\n</FORM>");
        row(5, "Text field", "|", "q", "<INPUT NAME=\"q\" TYPE=\"Text\" VALUE=\"|\">");
        row(5, "Hidden field", "|", "my id", "<INPUT NAME=\"my id\" TYPE=\"Hidden\" VALUE=\"|\">");
        row(5, "Password field", "|", "pwd", "<INPUT NAME=\"pwd\" TYPE=\"Password\" VALUE=\"|\">");
        row(5, "File field", "|", nullptr, "<INPUT TYPE=\"File\" VALUE=\"|\">");
        row(5, "Text area", "|", "msg", "<TEXTAREA NAME=\"msg\" ROWS=\"5\" COLS=\"50\">|</TEXTAREA>");
        row(5, "Drop-down list", "|", "pick",
            "<SELECT NAME=\"pick\">\r\n\t<OPTION></OPTION>\r\n\t<OPTION></OPTION>\r\n\t<OPTION>|</OPTION>\r\n"
            "\t<OPTION></OPTION>\r\n</SELECT>");
        row(5, "List box", "|", "pick",
            "<SELECT NAME=\"pick\" SIZE=\"4\">\r\n\t<OPTION>|</OPTION>\r\n\t<OPTION></OPTION>\r\n\t<OPTION></OPTION>\r\n"
            "\t<OPTION></OPTION>\r\n</SELECT>");
        row(5, "Check box", "|", "agree", "<INPUT TYPE=\"Checkbox\" NAME=\"agree\" VALUE=\"agree\">|");
        row(5, "Radio button", "|", "r1", "<INPUT TYPE=\"Radio\" NAME=\"r1\" VALUE=\"r1\">|");
        row(5, "Image button", "|", "go", "<INPUT NAME=\"go\" TYPE=\"Image\" SRC=\"|\">");
        row(5, "Submit button", "|", "Send", "<INPUT NAME=\"Send\" TYPE=\"Submit\" VALUE=\"Send\">|");
        row(5, "Reset button", "|", "Clear", "<INPUT NAME=\"Clear\" TYPE=\"Reset\" VALUE=\"Clear\">|");
        row(5, "Form button", "|", "Go", "<INPUT NAME=\"Go\" TYPE=\"Button\" VALUE=\"Go\">|");

        row(6, "Frameset", "|", nullptr, "<FRAMESET>|</FRAMESET>");
        row(6, "Frame", "|", nullptr, "<FRAME>|");
        row(6, "Base frame", "|", nullptr, "<BASE HREF=\"|\" TARGET=\"\">");
        row(6, "In-line frame", "|", nullptr, "<IFRAME SRC=\"|\"></IFRAME>");
        row(6, "No frames", "[x]", nullptr, "<NOFRAMES>|</NOFRAMES>");

        row(7, "New script", "|", nullptr, script + "<!-- Hide from older browsers\r\n|\r\n// End hide -->\r\n</SCRIPT>");
        row(7, "No scripts", "[old]", nullptr, "<NOSCRIPT>|</NOSCRIPT>");
        row(7, "Function block", "|", "init", "function init(|variables) {\r\n\t\r\n}");
        row(7, "Document write block", "|", "Hi \"you\"", "document.write(\"Hi \"you\"\");|");
        row(7, "Confirm block", "|", "Are you sure?", "var result = confirm(\"Are you sure?\");|", "Are you sure?");
        row(7, "Alert block", "|", "Warning!", "alert(\"Warning!\");|", "Warning!");
        row(7, "If block", "|", nullptr, "if (|statement) {\r\n\t\r\n}");
        row(7, "If ... Else block", "|", nullptr, "if (|statement) {\r\n\t\r\n}else {\r\n\t\r\n}");
        row(7, "Else block", "|", nullptr, "else {\r\n\t|\r\n}");
        row(7, "For loop block", "|", nullptr, "for (|i=0; i<10; i++) {\r\n\t\r\n}");
        row(7, "While loop block", "|", nullptr, "while (|condition) {\r\n\t\r\n}");

        row(8, "Browser detection script", "|", "Browser:",
            script + "\tdocument.write(\"Browser: \" + navigator.appName + \" \" + navigator.appVersion);\r\n</SCRIPT>|",
            "You are browsing with ");
        row(8, "Last modified script", "|", "Last modified ",
            script + "\tdocument.write(\"Last modified \" + document.lastModified);\r\n</SCRIPT>|");
        // Fixed scripts: checked by their first and last words ("..." stands for the rest).
        const std::tuple<const char*, const char*, const char*> fixed[] = {
            {"Frame killer script", "\tsetTimeout (\"changePage()\", 2000);", "\t\t}\r\n</SCRIPT>|"},
            {"Combo-based menu script", "function dropmenu(form)", "onClick=\"dropmenu(this.form)\">\r\n</FORM>|"},
            {"Month formatting script", "//Example use shown here", "\", \" + year);\r\n</SCRIPT>|"},
            {"Set cookie script", "function setCookie(cName, cValue, daysToLive) {", "expireString;\r\n}\r\n</SCRIPT>|"},
            {"Get cookie script", "function getCookie(cName) {", "\t\treturn null;\r\n}\r\n</SCRIPT>|"}};
        for (const auto& [caption, first, last] : fixed)
            row(8, caption, "|", nullptr, script + first + "..." + last);

        row(9, "Include", "|", nullptr, "<!--#INCLUDE FILE=\"|\" -->");
        row(9, "Tag", "|", nullptr, "<%= | %>");
        row(9, "Output tag", "|", nullptr, "<%= | %>");
        row(9, "If tag", "|", nullptr, "<% IF | %>");
        row(9, "End tag", "|", nullptr, "<% END IF %>|");

        row(10, "Include", "|", nullptr, "<!--#INCLUDE FILE=\"|\" -->");
        row(10, "Exec cgi", "|", nullptr, "<!--#EXEC CGI=\"|\" -->");
        row(10, "Insert token", "|", "top", "<!--#LABEL=\"top\" -->|");
        row(10, "Jump to token", "|", "top", "<!--#GOTO=\"top\" -->|");
        row(10, "Terminator", "|", nullptr, "<!--#BREAK -->|");

        row(11, "ActiveX control", "|", nullptr, "<OBJECT ID=\"\" CLASSID=\"\" WIDTH=\"\" HEIGHT=\"\" DATA=\"\">|</OBJECT>");
        row(11, "Insert DHTML layer", "|", nullptr,
            "<DIV ID=\"layer1\" Style=\"position:absolute; left:?px; top:?px; width:?px; height:?px; z-index:1\">|</DIV>");
        row(11, "Embed object", "|", nullptr, "<EMBED SRC=\"\">|</EMBED>");
        row(11, "Insert audio", "|", nullptr,
            "<EMBED SRC=\"|\" AUTOSTART=\"True\" HIDDEN=\"True\" Loop=\"0\">\r\n<BGSOUND SRC=\"\" LOOP=\"infinite\">");
        row(11, "Insert video", "|", nullptr, "<EMBED SRC=\"|\" AUTOSTART=\"True\" WIDTH=\"150\" HEIGHT=\"150\">");
        // The players differ in their class, cabinet, file and type; "..." stands for the shared rest.
        const QString embed = "\" WIDTH=\"32\" HEIGHT=\"32\">\r\n\t</EMBED>\r\n</OBJECT>|";
        row(11, "Insert Macromedia Flash", "[sel]", nullptr, "<OBJECT CLASSID=\"clsid:d27cdb6e-ae6d-11cf-96b8-444553540000\" "
            "CODEBASE=\"http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=3,0,0,0...SRC=\"flash-file.swf"
            "...TYPE=\"application/x-shockwave-flash" + embed);
        row(11, "Insert Macromedia Shockwave", "[sel]", nullptr, "<OBJECT CLASSID=\"clsid:166b1bca-3f9c-11cf-8075-444553540000\" "
            "CODEBASE=\"http://download.macromedia.com/pub/shockwave/cabs/director/sw.cab#version=6,0,1,0...SRC=\"shockwave-file.swf"
            "...TYPE=\"application/x-director" + embed);
        row(11, "Parameter", "|", nullptr, "<PARAM NAME=\"\" VALUE=\"\">|</PARAM>");

        // The sidebar: a tag paired around the selection, or empty; a character reference.
        row(0, "Non-brk space", "x[sel]y", nullptr, "x&nbsp;|y");
        row(0, "BR", "[abc]", nullptr, "<BR>|");
        row(0, "STRONG", "[abc]", nullptr, "<STRONG>abc|</STRONG>");
        row(0, "A", "[home]", nullptr, "<A HREF=\"|\">home</A>");
        row(0, "IFRAME", "[x]", nullptr, "<IFRAME SRC=\"|\"></IFRAME>");
        row(0, "IMG", "[x]", nullptr, "<IMG SRC=\"|\" ALT=\"\" BORDER=\"0\">");
        row(0, "TABLE", "[Name]", nullptr, "<TABLE ALIGN=...>\r\n<TR ...>\r\n\t<TH>|Name</TH>\r\n\t<TH></TH>...</TABLE>");
    }
    void entries()
    {
        QFETCH(int, button);
        QFETCH(QString, caption);
        QFETCH(QString, before);
        QFETCH(QString, answer);
        QFETCH(QString, after);
        QFETCH(QString, defaultText);
        SetMarkedText(editor(), before);
        if (!answer.isNull())
            prompter->queueInput(answer);
        run(button, caption);
        const QString got = MarkedText(editor());   // "..." in after stands for any text
        const QString pattern = QRegularExpression::escape(after).replace("\\.\\.\\.", ".*");
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(pattern), QRegularExpression::DotMatchesEverythingOption)
                         .match(got).hasMatch() && got.count('|') == 1, qPrintable(got));
        QVERIFY(editor()->hasFocus());
        QCOMPARE(prompter->asked.size(), answer.isNull() ? 0 : 1);
        if (!defaultText.isNull())
            QCOMPARE(prompter->asked[0].defaultText, defaultText);
    }

    // Cancel, an empty answer and a size out of range leave the document as it was, focus back in the editor.
    void refusedPrompts_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("answer");    // null: Cancel
        QTest::addColumn<QString>("message");   // shown after the answer
        const std::pair<int, const char*> prompted[] = {
            {1, "Quick page outline"}, {1, "Comment"}, {2, "Heading"}, {5, "Text field"}, {5, "Submit button"},
            {7, "Alert block"}, {8, "Browser detection script"}, {10, "Jump to token"}};
        for (const auto& [button, caption] : prompted) {
            QTest::addRow("%s cancel", caption) << button << caption << QString() << QString();
            QTest::addRow("%s empty", caption) << button << caption << "" << QString();
        }
        const QString range = "'%1' is not an integer between 1 and %2 - operation cancelled.";
        for (const char* answer : {"0", "7", "2.5", "abc"})
            QTest::addRow("heading %s", answer) << 2 << "Heading" << answer << range.arg(answer).arg(6);
        QTest::newRow("font size 8") << 2 << "Font size" << "8" << range.arg(8).arg(7);
    }
    void refusedPrompts()
    {
        QFETCH(int, button);
        QFETCH(QString, caption);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        SetMarkedText(editor(), "keep [this] text");
        editor()->SetModified(false);
        prompter->queueInput(answer.isNull() ? std::nullopt : std::optional<QString>(answer));
        prompter->queueMsgBox(MsgAnswer::OK);   // for the out-of-range message
        run(button, caption);
        QCOMPARE(MarkedText(editor()), QStringLiteral("keep this| text"));
        QCOMPARE(editor()->SelText(), QStringLiteral("this"));
        QVERIFY(!editor()->Modified() && editor()->hasFocus());
        QCOMPARE(prompter->messages(), message.isEmpty() ? QStringList() : QStringList{message});
    }

    // The dialogs behind the entries: the attribute dialog's title and labels for each, and the controls it shows of
    // Text1 Text2 Check1 Command1 Combo2; the anchor takes the selection as its text; Cancel in any changes nothing.
    void dialogs_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("after");
        const QString anchor = "New anchor|URL or file|Text/name (optional)|Target frame (optional) 11110";
        QTest::newRow("anchor") << 1 << "Anchor" << anchor << true << "go <A HREF=\"x.htm\">home</A>| now";
        const std::tuple<int, const char*, QString> dialogs[] = {{1, "Anchor", anchor},
            {1, "Image", "New image|URL or file|Alignment (optional)|Alternate text (optional) 01111"},
            {8, "Pop-up window script", "Pop-up window wizard|URL or file|Name| 10010"},
            {11, "Stylesheet link", "Stylesheet link|URL or file|| 00010"},
            {11, "Meta redirect (client pull)", "Meta redirect|URL or file|Delay (secs)| 10010"},
            {11, "Page transitions", "Transition|Event|Transition effect|Delay (sec) 01001"},
            {1, "Page wizard", "New web page wizard"}};
        for (const auto& [button, caption, shown] : dialogs)
            QTest::addRow("%s cancelled", caption) << button << QString(caption) << shown << false << "go home| now";
    }
    void dialogs()
    {
        QFETCH(int, button);
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QFETCH(bool, ok);
        QFETCH(QString, after);
        SetMarkedText(editor(), "go [home] now");
        editor()->SetModified(false);
        QString found;
        prompter->queueDialog([&](QDialog* d) {
            found = d->windowTitle();
            if (qobject_cast<frmAddBasic*>(d)) {
                for (int i = 0; i < 3; ++i)
                    found += "|" + Child<QLabel>(d, QString("lblA%1").arg(i))->text();
                found += ' ';
                for (const char* name : {"Text1", "Text2", "Check1", "Command1", "Combo2"})
                    found += Child(d, name)->isHidden() ? '0' : '1';
            }
            if (auto* combo = d->findChild<QComboBox*>("Combo1"))   // a typed value is dropped with Cancel
                combo->setEditText("x.htm");
            d->findChild<QPushButton*>(ok ? "cmdOK" : "cmdCancel")->click();
            return d->result();
        });
        run(button, caption);
        QCOMPARE(found, shown);
        QVERIFY2(MarkedText(editor()).contains(after), qPrintable(MarkedText(editor())));
        QCOMPARE(editor()->Modified(), ok);
        QVERIFY(PendingInsert.isEmpty());
    }

    // The font dialog's choice wraps the selection in style tags; the next dialog starts from it. The colour chooser
    // starts from black and inserts the quoted colour. Cancel in either inserts nothing.
    void fontAndColour()
    {
        QFont font("Arial", -1, QFont::Bold, true);
        font.setPointSizeF(10.5);
        font.setUnderline(true);
        font.setStrikeOut(true);
        SetMarkedText(editor(), "[x]");
        prompter->queueFont(font);
        run(2, "Font");
        QCOMPARE(MarkedText(editor()),
                 "<B><I><U><STRIKE><FONT FACE=\"Arial\" SIZE=\"10.5pt\" COLOR=\"#000000\">x|</FONT></STRIKE></U></I></B>");
        // The chooser's colour, and the family alone, without Qt's "[foundry]".
        SetMarkedText(editor(), "[y]");
        prompter->queueFont(QFont("Nimbus Sans [urw]"), QColor(Qt::red));
        run(2, "Font");
        QVERIFY2(MarkedText(editor()).startsWith("<FONT FACE=\"Nimbus Sans\" SIZE=") &&
                     MarkedText(editor()).contains("COLOR=\"#FF0000\">y|</FONT>"),
                 qPrintable(MarkedText(editor())));
        SetMarkedText(editor(), "|");
        prompter->queueFont(std::nullopt);
        run(2, "Font");
        QCOMPARE(prompter->asked.last().text, QStringLiteral("Nimbus Sans"));
        QCOMPARE(editor()->Text(), QString());
        // A colour is written as RGB; the caret goes back to the first "/", which a selection may hold.
        const Snippet s = FormatMenu::Font(cCommonDialog::Font{"Arial", 12}, 0xFF8000, "a/b");
        QCOMPARE(s.text, QStringLiteral("<FONT FACE=\"Arial\" SIZE=\"12pt\" COLOR=\"#0080FF\">a/b</FONT>"));
        QCOMPARE(QList<int>({s.chars, s.lines}), QList<int>({10, 0}));
        SetMarkedText(editor(), "[old]");
        prompter->queueColor(QColor(255, 128, 0));
        run(1, "Colour chooser");
        QCOMPARE(MarkedText(editor()), QStringLiteral("\"#FF8000\"|"));
        QCOMPARE(prompter->asked.last().text, QStringLiteral("#000000"));
        prompter->queueColor(std::nullopt);
        run(1, "Colour chooser");
        QCOMPARE(editor()->Text(), QStringLiteral("\"#FF8000\""));
    }

    // The button dropped down last chooses the menu: SSI has "Terminator", ASP not; captions are case-sensitive.
    // Page margins only says it is not there yet.
    void dispatchByButtonAndCaption()
    {
        SetMarkedText(editor(), "|");
        for (const auto& [button, caption] : {std::pair{9, "Terminator"}, {2, "bold"}, {10, "Terminator"}}) {
            emit main->PowerbarButton(button)->menu()->aboutToShow();
            QAction probe(caption);
            emit main->PowerbarButton(button)->menu()->triggered(&probe);
        }
        QCOMPARE(editor()->Text(), QStringLiteral("<!--#BREAK -->"));
        prompter->queueMsgBox(MsgAnswer::OK);
        run(11, "Page margins");
        QCOMPARE(editor()->Text() + " " + prompter->messages().join('|'), QStringLiteral("<!--#BREAK --> Not implemented yet."));
    }

    // Where inserted text leaves the caret, counted in characters (a CR LF or an emoji is one step).
    void caretCountsCharacters_data()
    {
        QTest::addColumn<QString>("before");   // "|" caret, "[...]" selection
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<int>("chars");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("after");    // "|" caret
        QTest::addColumn<QString>("lineBreak");
        const auto row = [](const char* name, const QString& before, const QString& text, bool wrap, int chars,
                            int lines, const QString& after, const char* lineBreak = "\r\n") {
            QTest::newRow(name) << before << text << wrap << chars << lines << after << QString(lineBreak);
        };
        row("plain at caret", "ab|cd", "XY", false, 0, 0, "abXY|cd");
        row("replaces selection", "a[bc]d", "Z", false, 0, 0, "aZ|d");
        row("wrap TD", "|", "TD", true, 0, 0, "<TD>|</TD>");
        row("wrap with attributes", "|", "a href=x", true, 0, 0, "<a href=x>|</a>");
        row("wrap empty name", "|", " x", true, 0, 0, "< x>|</>");
        row("left by chars", "|", "<B></B>", false, 4, 0, "<B>|</B>");
        // Moving up keeps the column, so the caret lands at the start of the empty line.
        row("paragraph block", "|", "<P>\r\n\r\n</P>", false, 4, 1, "<P>\r\n|\r\n</P>");
        row("list block", "x|y", "<UL>\r\n<LI>\r\n</UL>", false, 1, 1, "x<UL>\r\n<LI>|\r\n</UL>y");
        row("ctrl slash", "[em]", "<>em</>", false, 6, 0, "<|>em</>");
        // Up two lines (column 4 survives the short middle line), then three characters right.
        row("negative chars move right", "|", "abcdefgh\r\nab\r\nabcd", false, -3, 2, "abcdefg|h\r\nab\r\nabcd");
        // Every menu entry inserts through here, so it follows the document's line breaks too.
        row("document's line breaks", "|", "<UL>\r\n<LI>\r\n</UL>", false, 0, 0, "<UL>\n<LI>\n</UL>|", "\n");
        // The anchor's count, as the sidebar makes it: the caret lands between the quotes.
        for (const QString& sel : {QString("one\r\ntwo\r\nthree"), QString::fromUtf8("\xF0\x9F\x98\x80 smile")})
            row(sel.startsWith('o') ? "anchor over CR LF" : "anchor over emoji", "|", "<A HREF=\"\">" + sel + "</A>",
                false, int(sel.size()) + 6, 0, "<A HREF=\"|\">" + sel + "</A>");
    }
    void caretCountsCharacters()
    {
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(bool, wrap);
        QFETCH(int, chars);
        QFETCH(int, lines);
        QFETCH(QString, after);
        QFETCH(QString, lineBreak);
        CodeMax1 e;
        e.SetFormat(FileFormat{TextEncoding::Utf8, lineBreak});
        SetMarkedText(&e, before);
        InsertIntoEditor(&e, text, wrap, chars, lines);
        QCOMPARE(MarkedText(&e), after);
        QCOMPARE(e.SelLength(), 0);
    }

    // The description and keywords boxes show their fields, the colours box its swatches (growing the dialog); a
    // swatch starts the colour dialog from its colour and keeps it when that is cancelled. With the option on, every
    // new document opens the wizard and takes its page; Cancel gives an empty one (the first document at start-up:
    // tst_startup handOverWhileWizardOpen).
    void wizard()
    {
        frmNew d;
        d.show();
        Child<QCheckBox>(&d, "Check1")->click();
        Child<QCheckBox>(&d, "Check2")->click();
        QVERIFY(!Child(&d, "txtA1")->isVisible() && !Child(&d, "txtA2")->isVisible());
        const int small = d.height();
        QVERIFY(!Child(&d, "picCol0")->isVisible());
        Child<QCheckBox>(&d, "Check5")->click();
        QVERIFY(Child(&d, "picCol0")->isVisible() && d.height() > small);
        prompter->queueColor(QColor(0x12, 0x34, 0x56));
        prompter->queueColor(std::nullopt);
        Child<QToolButton>(&d, "picCol2")->click();
        Child<QToolButton>(&d, "picCol2")->click();
        QCOMPARE(prompter->asked.first().text, QStringLiteral("#0000ff"));
        QCOMPARE(d.SwatchTag(2), QStringLiteral("\"#123456\""));
        OptNewDoc = true;
        prompter->queueDialog([](QDialog* d) { return setText(d, "txtA0", "First"), click(d, "cmdOK"), d->result(); });
        main->mnuFileNew_Click();
        QVERIFY(editor()->Text().contains("\t<TITLE>First</TITLE>\r\n"));
        QVERIFY(MarkedText(editor()).endsWith("<BODY>\r\n|\r\n</BODY>\r\n</HTML>"));
        const qsizetype documents = main->Documents().size();
        prompter->queueDialog([](QDialog* d) { return click(d, "cmdCancel"), d->result(); });
        main->mnuFileNew_Click();
        QCOMPARE(main->Documents().size(), documents + 1);
        QCOMPARE(editor()->Text(), QString());
        OptNewDoc = false;
    }

    void wizardPage_data()
    {
        QTest::addColumn<QString>("fields");        // title|description|keywords
        QTest::addColumn<QStringList>("clicked");   // check boxes clicked before OK
        QTest::addColumn<QString>("head");          // the lines between <HEAD> and </HEAD>
        QTest::addColumn<QString>("body");
        const QString meta = "\t<META NAME=\"Description\" CONTENT=\"%1\">\r\n\t<META NAME=\"Keywords\" CONTENT=\"%2\">\r\n";
        const QString generator = "\t<META NAME=\"Generator\" CONTENT=\"QRN Version 1.2.0\">\r\n";
        const QString smart = "\t<META NAME=\"MSSmartTagsPreventParsing\" CONTENT=\"True\">";
        QTest::newRow("keywords lower-cased") << "Home|About Us|HTML, CSS" << QStringList{}
            << "\t<TITLE>Home</TITLE>\r\n" + meta.arg("About Us", "html, css") + generator + smart << "<BODY>";
        QTest::newRow("no meta") << "T|ignored|IGNORED" << QStringList{"Check1", "Check2", "Check3"}
                                 << "\t<TITLE>T</TITLE>\r\n" + smart << "<BODY>";
        QTest::newRow("colours and no scrollbars") << "T||" << QStringList{"Check4", "Check5", "Check3"}
            << "\t<TITLE>T</TITLE>\r\n" + meta.arg("", "") + smart
            << "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\" "
               "SCROLL=\"No\">";
    }
    void wizardPage()
    {
        QFETCH(QString, fields);
        QFETCH(QStringList, clicked);
        QFETCH(QString, head);
        QFETCH(QString, body);
        frmNew d;
        for (int i = 0; i < 3; ++i)
            setText(&d, qPrintable(QString("txtA%1").arg(i)), fields.section('|', i, i));
        for (const QString& name : clicked)
            Child<QCheckBox>(&d, name)->click();
        click(&d, "cmdOK");
        QCOMPARE(PendingInsert, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<HTML>\r\n"
                                "<HEAD>\r\n" + head + "\r\n</HEAD>\r\n" + body + "\r\n\r\n</BODY>\r\n</HTML>");
    }

    // OK with the fields filled ("url|name or list|second field|check"): the markup inserted (null: OK refused,
    // the dialog stays open) and the first message; the pop-up asks its nine questions, and Cancel ends them.
    void attributeOK_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("message");
        const QString trans = "<META HTTP-EQUIV=\"Page-Enter\" CONTENT=\"%1\">", delay = "Delay must be numeric.";
        const QString popup = "<SCRIPT LANGUAGE=\"Javascript\" TYPE=\"text/javascript\">\r\n\twindow.open('a.htm', "
                              "'pop', 'width=400,height=300', '%1')\r\n</SCRIPT>";
        const int Y = MsgAnswer::Yes, N = MsgAnswer::No, C = MsgAnswer::Cancel, OK = MsgAnswer::OK;
        auto row = [](const char* tag, const char* mode, const char* fill, const QList<int>& answers,
                      const QString& markup, const QString& message = QString()) {
            QTest::newRow(tag) << QString(mode) << QString(fill) << answers << markup << message;
        };
        row("anchor", "anchor", "a.htm|Home", {}, "<A HREF=\"a.htm\">Home</A>");
        row("anchor .com", "anchor", "http://x.com|X", {}, "<A HREF=\"http://x.com/\">X</A>");
        row("anchor target", "anchor", "a.htm|A|main", {}, "<A HREF=\"a.htm\" TARGET=\"main\">A</A>");
        row("named ignores target", "anchor", "top|Top|main|check", {}, "<A NAME=\"top\">Top</A>");
        row("image", "image", "pic.gif|Left|Logo", {}, "<IMG SRC=\"pic.gif\" ALT=\"Logo\" BORDER=\"0\" ALIGN=\"Left\">");
        row("image size unknown", "image", "|||check", {}, "<IMG SRC=\"\" BORDER=\"0\">");
        row("stylesheet", "stylesheet", "s.css", {}, "<LINK REL=\"Stylesheet\" HREF=\"s.css\" TYPE=\"text/css\">");
        row("redirect", "redirect", "next.htm|-5.7", {}, "<META HTTP-EQUIV=\"refresh\" CONTENT=\"5;URL=next.htm\">");
        row("redirect blanks", "redirect", "n| 12 ", {}, "<META HTTP-EQUIV=\"refresh\" CONTENT=\"12;URL=n\">");
        row("redirect abc", "redirect", "n|abc", {OK}, QString(), delay);
        row("redirect empty", "redirect", "n|", {OK}, QString(), delay);
        row("circle in", "transition", "Page-Enter|Circle in|2", {}, trans.arg("revealTrans(Duration=2,Transition=2)"));
        row("blend", "transition", "Page-Enter|Blend|2", {}, trans.arg("blendTrans(Duration=2)"));
        row("box in", "transition", "Page-Enter|Box in|1.5", {}, trans.arg("revealTrans(Duration=1.5,Transition=0)"));
        row("random", "transition", "Page-Enter|Random|1", {}, trans.arg("revealTrans(Duration=1,Transition=23)"));
        row("no or unknown effect", "transition", "Page-Exit|Sparkle|1", {}, "");
        row("transition 2s", "transition", "Page-Enter|Blend|2s", {OK}, QString(), delay);
        row("transition x, no effect", "transition", "Page-Enter|No effect|x", {OK}, QString(), delay);
        row("popup toolbar, scrollbars", "popup", "a.htm|pop", {Y, N, Y, N, N, N, N, N, N},
            popup.arg("toolbar, scrollbars"), "Show the browser navigation bar?");
        row("popup all", "popup", "a.htm|pop", QList<int>(9, Y), popup.arg("toolbar, menubar, scrollbars, directories, "
            "location, status, resizable, copyhistory, fullscreen"), "Show the browser navigation bar?");
        row("popup cancel", "popup", "a.htm|pop", {Y, Y, C}, "", "Show the browser navigation bar?");
        row("popup without name", "popup", "a.htm", {}, QString());
    }
    void attributeOK()
    {
        QFETCH(QString, mode);
        QFETCH(QString, fill);
        QFETCH(QList<int>, answers);
        QFETCH(QString, markup);
        QFETCH(QString, message);
        const QStringList f = fill.split('|');
        frmAddBasic d;
        setUp(d, mode);
        d.Combo1()->setEditText(f.value(0));
        if (Child(&d, "Text1")->isHidden())
            Child<QComboBox>(&d, "Combo2")->setEditText(f.value(1));
        else
            setText(&d, "Text1", f.value(1));
        QLineEdit* second = Child<QLineEdit>(&d, mode == "redirect" ? "Text1" : "Text2");
        if (f.size() > 2)
            second->setText(f.value(2));
        if (f.value(3) == "check")
            Child<QCheckBox>(&d, "Check1")->click();
        QCOMPARE(Child(&d, "Text2")->isEnabled(), !(mode == "anchor" && f.value(3) == "check"));   // named: no target
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        for (int a : answers)
            prompter->queueMsgBox(a);
        click(&d, "cmdOK");
        QCOMPARE(PendingInsert, markup.isNull() ? QString() : markup);
        QCOMPARE(d.isVisible(), markup.isNull());
        QCOMPARE(prompter->messages().value(0), message);
        QVERIFY(!markup.isNull() || answers.isEmpty() || second->hasFocus());   // back to the delay
        if (mode == "popup" && !answers.isEmpty()) {
            QCOMPARE(prompter->messages().size(), answers.size());
            QCOMPARE(prompter->asked.last().title + QString::number(prompter->asked.last().buttons),
                     "Pop-up window wizard" + QString::number(MsgButtons::YesNoCancel | MsgButtons::DefaultButton2));
        }
    }

    // A chosen file becomes a file:// address, escaped so that quotes cannot end the attribute or a script's string,
    // or with the option off its name only. An image's size is written with OK, none for a file that is no picture;
    // a cancelled browse changes nothing.
    void browse()
    {
        QCOMPARE(frmAddBasic::FileAddress("C:/x#1?%.htm", true), QString("file:///C:/x%231%3F%25.htm"));
        QCOMPARE(frmAddBasic::FileAddress("/it's \"x\".gif", true), QString("file:///it%27s%20%22x%22.gif"));
        QCOMPARE(frmAddBasic::FileAddress("/My Site/a.htm", false), QString("a.htm"));
        const QString pic = dir.filePath("pic 40x30.png");
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(pic));
        const QString notPicture = WriteTestFile(dir, "fake.gif", "not a picture");
        for (const FileDialogResult& second : {FileDialogResult{}, FileDialogResult{true, {notPicture}}}) {
            frmAddBasic d;
            d.SetUpImage();
            prompter->queueFile(FileDialogResult{true, {pic}});
            prompter->queueFile(second);
            click(&d, "Command1");
            click(&d, "Command1");
            QCOMPARE(prompter->asked.last().title, QStringLiteral("Select"));
            QVERIFY(second.accepted || d.Combo1()->currentText() + "|" + text(&d, "Text2") ==
                                           "file://" + QString(pic).replace(" ", "%20") + "|pic 40x30.png");
            Child<QCheckBox>(&d, "Check1")->click();
            click(&d, "cmdOK");
            QVERIFY2(second.accepted ? PendingInsert.contains("fake.gif") && !PendingInsert.contains("HEIGHT")
                                     : PendingInsert.contains(" BORDER=\"0\" HEIGHT=\"30\" WIDTH=\"40\">"), qPrintable(PendingInsert));
            PendingInsert.clear();
        }
    }

    // Each sidebar tab fills the list with its own rows, none twice; the tab shown last is stored at exit.
    void sidebarListsAndStoredTab()
    {
        for (int tab : {1, 0}) {
            main->TabStrip1()->setCurrentIndex(tab);
            QStringList rows;
            for (int i = 0; i < main->List1()->count(); ++i)
                rows << main->List1()->item(i)->text();
            QCOMPARE(rows, tab ? Sidebar::Chars() : Sidebar::Tags());
            QCOMPARE(QSet<QString>(rows.begin(), rows.end()).size(), tab ? 101 : 110);
        }
        CloseMain(prompter);   // the last test: the main window goes
        QCOMPARE(GetSetting("Config", "Lbar"), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestSnippetMenus)
#include "tst_snippetmenus.moc"
