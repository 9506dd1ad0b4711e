#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "insert/frmAddBasic.h"
#include "insert/Snippet.h"
#include "insert/frmNew.h"

// The new-page wizard and the attribute dialog, filled directly (tst_snippetmenus opens them from the menus).
class TestInsertDialogs : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

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
    static QStringList questions()
    {
        return {"Show the browser navigation bar?", "Show the browser menu bar?", "Show the browser scroll bars?",
                "Show the browser link bar?", "Show the browser location/URL bar?", "Show the browser status bar?",
                "Allow the window to be resized?", "Copy the browser history?", "Pop-up in full-screen mode?"};
    }

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
        PendingInsert.clear();
        OptFullIns = true;
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
        PendingInsert.clear();
    }

    // The description and keywords boxes show their fields, the colours box its swatches (growing the dialog); a
    // swatch starts the colour dialog from its colour and keeps it when that is cancelled.
    void wizardControls()
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
        PendingInsert.clear();
    }

    // With the option on, every new document opens the wizard and takes its page; Cancel gives an empty one.
    void newDocumentOpensWizard()
    {
        SaveSetting("Config", "NewDoc", "-1");
        prompter->queueDialog([](QDialog* d) { return setText(d, "txtA0", "First"), click(d, "cmdOK"), d->result(); });
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        QVERIFY(e->Text().contains("\t<TITLE>First</TITLE>\r\n"));
        QVERIFY(MarkedText(e).endsWith("<BODY>\r\n|\r\n</BODY>\r\n</HTML>"));
        prompter->queueDialog([](QDialog* d) { return click(d, "cmdCancel"), d->result(); });
        m->mnuFileNew_Click();
        QCOMPARE(m->ActiveDocument()->Caption() + "|" + m->ActiveDocument()->Editor()->Text(), QString("Document 2|"));
        OptNewDoc = false;
    }

    // Each mode's title and labels, and the controls it shows of Text1 Text2 Check1 Command1 Combo2.
    void attributeModes()
    {
        const char* modes[][3] = {
            {"anchor", "New anchor|URL or file|Text/name (optional)|Target frame (optional)", "11110"},
            {"image", "New image|URL or file|Alignment (optional)|Alternate text (optional)", "01111"},
            {"stylesheet", "Stylesheet link|URL or file||", "00010"}, {"redirect", "Meta redirect|URL or file|Delay (secs)|", "10010"},
            {"transition", "Transition|Event|Transition effect|Delay (sec)", "01001"},
            {"popup", "Pop-up window wizard|URL or file|Name|", "10010"}};
        for (const auto& [mode, texts, shown] : modes) {
            frmAddBasic d;
            setUp(d, mode);
            QStringList found{d.windowTitle()};
            for (int i = 0; i < 3; ++i)
                found << Child<QLabel>(&d, QString("lblA%1").arg(i))->text();
            QString bits;
            for (const char* name : {"Text1", "Text2", "Check1", "Command1", "Combo2"})
                bits += Child(&d, name)->isHidden() ? '0' : '1';
            QCOMPARE(found.join('|') + " " + bits, QString(texts) + " " + shown);
        }
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
            QCOMPARE(prompter->messages(), questions().mid(0, answers.size()));
            QCOMPARE(prompter->asked.last().title + QString::number(prompter->asked.last().buttons),
                     "Pop-up window wizard" + QString::number(MsgButtons::YesNoCancel | MsgButtons::DefaultButton2));
        }
        PendingInsert.clear();
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
};

QTEST_MAIN(TestInsertDialogs)
#include "tst_insertdialogs.moc"
