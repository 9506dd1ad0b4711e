#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "insert/frmAddBasic.h"
#include "insert/frmNew.h"

// The new-page wizard and the attribute dialog, filled directly and through
// the menu entries that open them.
class TestInsertDialogs : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;

    template <typename T>
    static T* child(QDialog* d, const char* name)
    {
        T* w = d->findChild<T*>(name);
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    static void click(QDialog* d, const char* name) { child<QPushButton>(d, name)->click(); }

    static void setUp(frmAddBasic& d, const QString& mode)
    {
        if (mode == "anchor")
            d.SetUpAnchor("sel");
        else if (mode == "image")
            d.SetUpImage();
        else if (mode == "stylesheet")
            d.SetUpStylesheet();
        else if (mode == "redirect")
            d.SetUpMetaRedirect();
        else if (mode == "transition")
            d.SetUpTransition();
        else
            d.SetUpPopup();
    }

    QString picture(int width, int height)
    {
        const QString path = dir.filePath(QString("pic %1x%2.png").arg(width).arg(height));
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(path);
        return path;
    }

    void runMenu(int button, const QString& caption)
    {
        QMenu* menu = MainWindow()->PowerbarButton(button)->menu();
        emit menu->aboutToShow();
        for (QAction* a : menu->actions())
            if (a->text() == caption)
                a->trigger();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        PrepareTestProfile();
    }
    void init()
    {
        prompter = ScriptedPrompter::install();
        PendingInsert.clear();
        OptFullIns = true;
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
        QVERIFY(PendingInsert.isEmpty() || !MainWindow());
        PendingInsert.clear();
    }

    // --- new web page wizard ---

    void wizardInitialState()
    {
        frmNew d;
        QCOMPARE(d.objectName(), QStringLiteral("frmNew"));
        QCOMPARE(d.windowTitle(), QStringLiteral("New web page wizard"));
        QCOMPARE(child<QLineEdit>(&d, "txtA0")->toolTip(), QStringLiteral("Enter the page title here"));
        QCOMPARE(child<QCheckBox>(&d, "Check1")->text(), QStringLiteral("Description?"));
        QCOMPARE(child<QCheckBox>(&d, "Check5")->toolTip(),
                 QStringLiteral("Do you want to set default colours for this page?"));
        for (const char* name : {"Check1", "Check2", "Check3"})
            QVERIFY2(child<QCheckBox>(&d, name)->isChecked(), name);
        for (const char* name : {"Check4", "Check5"})
            QVERIFY2(!child<QCheckBox>(&d, name)->isChecked(), name);
        const QStringList tags{"\"#FFFFFF\"", "\"#000000\"", "\"#0000FF\"", "\"#800080\"", "\"#FF0000\""};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(d.SwatchTag(i), tags[i]);
            QCOMPARE(child<QToolButton>(&d, qPrintable(QString("picCol%1").arg(i)))->toolTip(),
                     QStringLiteral("Click to change colour"));
        }
        QCOMPARE(child<QPushButton>(&d, "cmdOK")->text(), QStringLiteral("&OK"));
        QCOMPARE(child<QPushButton>(&d, "cmdCancel")->text(), QStringLiteral("&Cancel"));
    }

    void wizardFieldsFollowTheirBoxes()
    {
        frmNew d;
        d.show();
        auto* check1 = child<QCheckBox>(&d, "Check1");
        check1->click();
        QVERIFY(!child<QLineEdit>(&d, "txtA1")->isVisible());
        check1->click();
        QVERIFY(child<QLineEdit>(&d, "txtA1")->isVisible());
        child<QCheckBox>(&d, "Check2")->click();
        QVERIFY(!child<QLineEdit>(&d, "txtA2")->isVisible());
        const int small = d.height();
        QVERIFY(!child<QToolButton>(&d, "picCol0")->isVisible());
        child<QCheckBox>(&d, "Check5")->click();
        QVERIFY(child<QToolButton>(&d, "picCol0")->isVisible());
        const int large = d.height();
        QVERIFY(large > small);
        child<QCheckBox>(&d, "Check5")->click();
        QVERIFY(!child<QToolButton>(&d, "picCol0")->isVisible());
        QVERIFY(d.height() < large);
    }

    void wizardPage_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<QStringList>("clicked");   // check boxes clicked before OK
        QTest::addColumn<QString>("head");          // the lines between <HEAD> and </HEAD>
        QTest::addColumn<QString>("body");
        const QString generator = "\t<META NAME=\"Generator\" CONTENT=\"QRN Version 1.2.0\">\r\n";
        const QString smart = "\t<META NAME=\"MSSmartTagsPreventParsing\" CONTENT=\"True\">";
        QTest::newRow("defaults") << "Home" << "" << "" << QStringList{}
            << "\t<TITLE>Home</TITLE>\r\n\t<META NAME=\"Description\" CONTENT=\"\">\r\n"
               "\t<META NAME=\"Keywords\" CONTENT=\"\">\r\n" + generator + smart
            << "<BODY>";
        QTest::newRow("keywords lower-cased") << "" << "About Us" << "HTML, CSS" << QStringList{}
            << "\t<TITLE></TITLE>\r\n\t<META NAME=\"Description\" CONTENT=\"About Us\">\r\n"
               "\t<META NAME=\"Keywords\" CONTENT=\"html, css\">\r\n" + generator + smart
            << "<BODY>";
        QTest::newRow("no meta") << "T" << "ignored" << "IGNORED" << QStringList{"Check1", "Check2", "Check3"}
                                 << "\t<TITLE>T</TITLE>\r\n" + smart << "<BODY>";
        QTest::newRow("colours and no scrollbars") << "T" << "" << "" << QStringList{"Check4", "Check5", "Check3"}
            << "\t<TITLE>T</TITLE>\r\n\t<META NAME=\"Description\" CONTENT=\"\">\r\n"
               "\t<META NAME=\"Keywords\" CONTENT=\"\">\r\n" + smart
            << "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#0000FF\" VLINK=\"#800080\" ALINK=\"#FF0000\" "
               "SCROLL=\"No\">";
        QTest::newRow("scrollbars only") << "T" << "" << "" << QStringList{"Check4", "Check1", "Check2"}
            << "\t<TITLE>T</TITLE>\r\n" + generator + smart << "<BODY SCROLL=\"No\">";
    }
    void wizardPage()
    {
        QFETCH(QString, title);
        QFETCH(QString, description);
        QFETCH(QString, keywords);
        QFETCH(QStringList, clicked);
        QFETCH(QString, head);
        QFETCH(QString, body);
        frmNew d;
        child<QLineEdit>(&d, "txtA0")->setText(title);
        child<QLineEdit>(&d, "txtA1")->setText(description);
        child<QLineEdit>(&d, "txtA2")->setText(keywords);
        for (const QString& name : clicked)
            child<QCheckBox>(&d, qPrintable(name))->click();
        click(&d, "cmdOK");
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(PendingInsert, "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<HTML>\r\n"
                                "<HEAD>\r\n" + head + "\r\n</HEAD>\r\n" + body + "\r\n\r\n</BODY>\r\n</HTML>");
        PendingInsert.clear();
    }

    void wizardSwatches()
    {
        frmNew d;
        prompter->queueColor(QColor(0x12, 0x34, 0x56));
        child<QToolButton>(&d, "picCol2")->click();
        QCOMPARE(prompter->asked.last().text, QStringLiteral("#0000ff"));   // starts from the swatch's colour
        QCOMPARE(d.SwatchTag(2), QStringLiteral("\"#123456\""));
        prompter->queueColor(std::nullopt);
        child<QToolButton>(&d, "picCol2")->click();
        QCOMPARE(d.SwatchTag(2), QStringLiteral("\"#123456\""));
        child<QCheckBox>(&d, "Check5")->click();
        click(&d, "cmdOK");
        QVERIFY(PendingInsert.contains("<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#123456\" VLINK="));
        PendingInsert.clear();
    }

    void wizardCancel()
    {
        frmNew d;
        child<QLineEdit>(&d, "txtA0")->setText("T");
        click(&d, "cmdCancel");
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(PendingInsert.isEmpty());
    }

    // With the option on, every new document opens the wizard and takes its page.
    void newDocumentOpensWizard()
    {
        SaveSetting("Config", "NewDoc", "-1");
        prompter->queueDialog([](QDialog* d) {
            d->findChild<QLineEdit*>("txtA0")->setText("First");
            d->findChild<QPushButton*>("cmdOK")->click();
            return d->result();
        });
        frmMain* m = StartMain();
        QVERIFY(OptNewDoc);
        QCOMPARE(prompter->asked.size(), 1);
        QCOMPARE(prompter->asked[0].text, QStringLiteral("frmNew"));
        CodeMax1* e = m->ActiveDocument()->Editor();
        QVERIFY(e->Text().contains("\t<TITLE>First</TITLE>\r\n"));
        QVERIFY(MarkedText(e).endsWith("<BODY>\r\n|\r\n</BODY>\r\n</HTML>"));
        QVERIFY(PendingInsert.isEmpty());
        // Cancel gives an empty document.
        prompter->queueDialog([](QDialog* d) { return d->findChild<QPushButton*>("cmdCancel")->click(), d->result(); });
        m->mnuFileNew_Click();
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("Document 2"));
        QCOMPARE(m->ActiveDocument()->Editor()->Text(), QString());
        OptNewDoc = false;
    }

    void pageWizardEntry()
    {
        frmMain* m = StartMain();
        SetMarkedText(m->ActiveDocument()->Editor(), "[old]");
        prompter->queueDialog([](QDialog* d) { return d->findChild<QPushButton*>("cmdOK")->click(), d->result(); });
        runMenu(1, "Page wizard");
        QVERIFY(MarkedText(m->ActiveDocument()->Editor()).startsWith("<!DOCTYPE"));
        QVERIFY(MarkedText(m->ActiveDocument()->Editor()).endsWith("<BODY>\r\n|\r\n</BODY>\r\n</HTML>"));
    }

    // --- attribute dialog ---

    void attributeModes_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("anchor") << "anchor" << "New anchor"
                                << QStringList{"URL or file", "Text/name (optional)", "Target frame (optional)"}
                                << QStringList{"Text1", "Text2", "Check1", "Command1"} << QStringList{"Combo2"};
        QTest::newRow("image") << "image" << "New image"
                               << QStringList{"URL or file", "Alignment (optional)", "Alternate text (optional)"}
                               << QStringList{"Combo2", "Text2", "Check1", "Command1"} << QStringList{"Text1"};
        QTest::newRow("stylesheet") << "stylesheet" << "Stylesheet link" << QStringList{"URL or file", "", ""}
                                    << QStringList{"Command1"} << QStringList{"Check1", "Text1", "Text2", "Combo2"};
        QTest::newRow("redirect") << "redirect" << "Meta redirect" << QStringList{"URL or file", "Delay (secs)", ""}
                                  << QStringList{"Text1", "Command1"} << QStringList{"Check1", "Text2", "Combo2"};
        QTest::newRow("transition") << "transition" << "Transition"
                                    << QStringList{"Event", "Transition effect", "Delay (sec)"}
                                    << QStringList{"Combo2", "Text2"} << QStringList{"Command1", "Check1", "Text1"};
        QTest::newRow("popup") << "popup" << "Pop-up window wizard" << QStringList{"URL or file", "Name", ""}
                               << QStringList{"Text1", "Command1"} << QStringList{"Check1", "Text2", "Combo2"};
    }
    void attributeModes()
    {
        QFETCH(QString, mode);
        QFETCH(QString, caption);
        QFETCH(QStringList, labels);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        frmAddBasic d;
        setUp(d, mode);
        QCOMPARE(d.objectName(), QStringLiteral("frmAddBasic"));
        QCOMPARE(d.windowTitle(), caption);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(child<QLabel>(&d, qPrintable(QString("lblA%1").arg(i)))->text(), labels[i]);
        for (const QString& name : shown)
            QVERIFY2(!child<QWidget>(&d, qPrintable(name))->isHidden(), qPrintable(name));
        for (const QString& name : hidden)
            QVERIFY2(child<QWidget>(&d, qPrintable(name))->isHidden(), qPrintable(name));
    }

    void attributeLists()
    {
        frmAddBasic image;
        image.SetUpImage();
        auto items = [](QComboBox* c) {
            QStringList out;
            for (int i = 0; i < c->count(); ++i)
                out << c->itemText(i);
            return out;
        };
        QCOMPARE(items(child<QComboBox>(&image, "Combo2")),
                 (QStringList{"Bottom", "Middle", "Top", "Left", "Right", "TextTop", "AbsMiddle", "Baseline",
                              "AbsBottom"}));
        frmAddBasic transition;
        transition.SetUpTransition();
        QCOMPARE(items(transition.Combo1()), (QStringList{"Page-Enter", "Page-Exit", "Site-Enter", "Site-Exit"}));
        const QStringList effects = items(child<QComboBox>(&transition, "Combo2"));
        QCOMPARE(effects.size(), 26);
        QCOMPARE(effects.first(), QStringLiteral("No effect"));
        QCOMPARE(effects[4], QStringLiteral("Circle in"));
        QCOMPARE(effects.last(), QStringLiteral("Random"));
        QCOMPARE(child<QLineEdit>(&transition, "Text2")->text(), QStringLiteral("1"));
        frmAddBasic style;
        style.SetUpStylesheet();
        QCOMPARE(items(style.Combo1()), (QStringList{"http://", "file:///"}));
        prompter->queueDialog([&](QDialog*) { return int(QDialog::Rejected); });
        frmAddBasic redirect;
        redirect.SetUpMetaRedirect();
        ShowAttributeDialog(redirect);
        QCOMPARE(items(redirect.Combo1()), (QStringList{"http://", "file:///", "ftp://", "mailto:", "#", "news:",
                                                        "telnet://", "gopher://"}));
        QCOMPARE(redirect.Combo1()->currentText(), QString());
        QCOMPARE(child<QLineEdit>(&redirect, "Text1")->text(), QStringLiteral("5"));
    }

    void attributeOK_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("field2");   // Text1 or Combo2, whichever the mode shows
        QTest::addColumn<QString>("text2");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("markup");
        QTest::newRow("anchor") << "anchor" << "a.htm" << "Home" << "" << false << "<A HREF=\"a.htm\">Home</A>";
        QTest::newRow("anchor .com") << "anchor" << "http://x.com" << "X" << "" << false
                                     << "<A HREF=\"http://x.com/\">X</A>";
        QTest::newRow("anchor .com/") << "anchor" << "http://x.com/" << "X" << "" << false
                                      << "<A HREF=\"http://x.com/\">X</A>";
        QTest::newRow("anchor target") << "anchor" << "a.htm" << "A" << "main" << false
                                       << "<A HREF=\"a.htm\" TARGET=\"main\">A</A>";
        QTest::newRow("named ignores target") << "anchor" << "top" << "Top" << "main" << true
                                              << "<A NAME=\"top\">Top</A>";
        QTest::newRow("anchor empty") << "anchor" << "" << "" << "" << false << "<A HREF=\"\"></A>";
        QTest::newRow("image") << "image" << "pic.gif" << "Left" << "Logo" << false
                               << "<IMG SRC=\"pic.gif\" ALT=\"Logo\" BORDER=\"0\" ALIGN=\"Left\">";
        QTest::newRow("image size unknown") << "image" << "" << "" << "" << true << "<IMG SRC=\"\" BORDER=\"0\">";
        QTest::newRow("stylesheet") << "stylesheet" << "s.css" << "" << "" << false
                                    << "<LINK REL=\"Stylesheet\" HREF=\"s.css\" TYPE=\"text/css\">";
        QTest::newRow("redirect") << "redirect" << "next.htm" << "-5.7" << "" << false
                                  << "<META HTTP-EQUIV=\"refresh\" CONTENT=\"5;URL=next.htm\">";
        QTest::newRow("redirect blanks") << "redirect" << "n" << " 12 " << "" << false
                                         << "<META HTTP-EQUIV=\"refresh\" CONTENT=\"12;URL=n\">";
        QTest::newRow("circle in") << "transition" << "Page-Enter" << "Circle in" << "2" << false
                                   << "<META HTTP-EQUIV=\"Page-Enter\" CONTENT=\"revealTrans(Duration=2,Transition=2)\">";
        QTest::newRow("blend") << "transition" << "Page-Enter" << "Blend" << "2" << false
                               << "<META HTTP-EQUIV=\"Page-Enter\" CONTENT=\"blendTrans(Duration=2)\">";
        QTest::newRow("box in") << "transition" << "Site-Exit" << "Box in" << "1.5" << false
                                << "<META HTTP-EQUIV=\"Site-Exit\" CONTENT=\"revealTrans(Duration=1.5,Transition=0)\">";
        QTest::newRow("random") << "transition" << "Page-Exit" << "Random" << "1" << false
                                << "<META HTTP-EQUIV=\"Page-Exit\" CONTENT=\"revealTrans(Duration=1,Transition=23)\">";
        QTest::newRow("no effect") << "transition" << "Page-Exit" << "No effect" << "1" << false << "";
        QTest::newRow("unknown effect") << "transition" << "Page-Exit" << "Sparkle" << "1" << false << "";
    }
    void attributeOK()
    {
        QFETCH(QString, mode);
        QFETCH(QString, url);
        QFETCH(QString, field2);
        QFETCH(QString, text2);
        QFETCH(bool, checked);
        QFETCH(QString, markup);
        frmAddBasic d;
        setUp(d, mode);
        d.Combo1()->setEditText(url);
        if (!child<QLineEdit>(&d, "Text1")->isHidden())
            child<QLineEdit>(&d, "Text1")->setText(field2);
        else
            child<QComboBox>(&d, "Combo2")->setEditText(field2);
        if (!text2.isEmpty())
            child<QLineEdit>(&d, "Text2")->setText(text2);
        if (checked)
            child<QCheckBox>(&d, "Check1")->click();
        QSignalSpy finished(&d, &QDialog::finished);
        click(&d, "cmdOK");
        QCOMPARE(finished.size(), 1);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(PendingInsert, markup);
        PendingInsert.clear();
    }

    void namedAnchorHasNoTarget()
    {
        frmAddBasic d;
        d.SetUpAnchor(QString());
        auto* target = child<QLineEdit>(&d, "Text2");
        child<QCheckBox>(&d, "Check1")->click();
        QVERIFY(!target->isEnabled());
        child<QCheckBox>(&d, "Check1")->click();
        QVERIFY(target->isEnabled());
    }

    void delayMustBeNumeric_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("delay");
        QTest::addColumn<QString>("effect");
        QTest::newRow("redirect abc") << "redirect" << "abc" << "";
        QTest::newRow("redirect empty") << "redirect" << "" << "";
        QTest::newRow("redirect inf") << "redirect" << "inf" << "";
        QTest::newRow("transition x with no effect") << "transition" << "x" << "No effect";
        QTest::newRow("transition x with blend") << "transition" << "2s" << "Blend";
    }
    void delayMustBeNumeric()
    {
        QFETCH(QString, mode);
        QFETCH(QString, delay);
        QFETCH(QString, effect);
        frmAddBasic d;
        setUp(d, mode);
        QLineEdit* field = child<QLineEdit>(&d, mode == "redirect" ? "Text1" : "Text2");
        field->setText(delay);
        child<QComboBox>(&d, "Combo2")->setEditText(effect);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        prompter->queueMsgBox(MsgAnswer::OK);
        QSignalSpy finished(&d, &QDialog::finished);
        click(&d, "cmdOK");
        QCOMPARE(prompter->messages(), QStringList{"Delay must be numeric."});
        QCOMPARE(prompter->asked.last().icon, int(MsgIcon::Exclamation));
        QCOMPARE(prompter->asked.last().title, QStringLiteral("QRN"));
        QCOMPARE(finished.size(), 0);
        QVERIFY(d.isVisible());
        QVERIFY(field->hasFocus());
        QVERIFY(PendingInsert.isEmpty());
    }

    void popupQuestions_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("markup");
        const int Y = MsgAnswer::Yes, N = MsgAnswer::No, C = MsgAnswer::Cancel;
        QTest::newRow("toolbar and scrollbars") << QList<int>{Y, N, Y, N, N, N, N, N, N}
            << "<SCRIPT LANGUAGE=\"Javascript\" TYPE=\"text/javascript\">\r\n"
               "\twindow.open('page.htm', 'popup', 'width=400,height=300', 'toolbar, scrollbars')\r\n</SCRIPT>";
        QTest::newRow("none") << QList<int>{N, N, N, N, N, N, N, N, N}
            << "<SCRIPT LANGUAGE=\"Javascript\" TYPE=\"text/javascript\">\r\n"
               "\twindow.open('page.htm', 'popup', 'width=400,height=300', '')\r\n</SCRIPT>";
        QTest::newRow("all") << QList<int>{Y, Y, Y, Y, Y, Y, Y, Y, Y}
            << "<SCRIPT LANGUAGE=\"Javascript\" TYPE=\"text/javascript\">\r\n"
               "\twindow.open('page.htm', 'popup', 'width=400,height=300', 'toolbar, menubar, scrollbars, "
               "directories, location, status, resizable, copyhistory, fullscreen')\r\n</SCRIPT>";
        QTest::newRow("cancel ends the questions") << QList<int>{Y, Y, C} << "";
    }
    void popupQuestions()
    {
        QFETCH(QList<int>, answers);
        QFETCH(QString, markup);
        frmAddBasic d;
        d.SetUpPopup();
        d.Combo1()->setEditText("page.htm");
        child<QLineEdit>(&d, "Text1")->setText("popup");
        for (int a : answers)
            prompter->queueMsgBox(a);
        click(&d, "cmdOK");
        QCOMPARE(PendingInsert, markup);
        QCOMPARE(prompter->asked.size(), answers.size());
        const QStringList questions{"Show the browser navigation bar?", "Show the browser menu bar?",
                                    "Show the browser scroll bars?", "Show the browser link bar?",
                                    "Show the browser location/URL bar?", "Show the browser status bar?",
                                    "Allow the window to be resized?", "Copy the browser history?",
                                    "Pop-up in full-screen mode?"};
        for (int i = 0; i < answers.size(); ++i) {
            QCOMPARE(prompter->asked[i].text, questions[i]);
            QCOMPARE(prompter->asked[i].title, QStringLiteral("Pop-up window wizard"));
            QCOMPARE(prompter->asked[i].buttons, MsgButtons::YesNoCancel | MsgButtons::DefaultButton2);
            QCOMPARE(prompter->asked[i].icon, int(MsgIcon::Question));
        }
        QCOMPARE(d.result(), int(QDialog::Accepted));
        PendingInsert.clear();
    }

    void popupNeedsUrlAndName()
    {
        frmAddBasic d;
        d.SetUpPopup();
        d.Combo1()->setEditText("page.htm");
        QSignalSpy finished(&d, &QDialog::finished);
        click(&d, "cmdOK");
        QCOMPARE(finished.size(), 0);
        QVERIFY(prompter->asked.isEmpty());
    }

    void browse_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("file");        // below the temporary folder
        QTest::addColumn<bool>("fullAddress");
        QTest::addColumn<QString>("preset");      // Text1 (anchor, pop-up) or Text2 (image) before Browse
        QTest::addColumn<QString>("url");         // "<dir>" stands for the temporary folder
        QTest::addColumn<QString>("filled");
        QTest::addColumn<int>("filters");
        QTest::addColumn<int>("filterIndex");     // 0-based
        QTest::newRow("anchor full") << "anchor" << "My Site/a.htm" << true << "" << "file://<dir>/My%20Site/a.htm"
                                     << "a.htm" << 6 << 2;
        QTest::newRow("anchor name only") << "anchor" << "My Site/a.htm" << false << "Link" << "a.htm" << "Link" << 6
                                          << 2;
        QTest::newRow("popup hash") << "popup" << "a#1.htm" << true << "" << "file://<dir>/a%231.htm" << "a#1.htm"
                                    << 6 << 2;
        QTest::newRow("image") << "image" << "pic 40x30.png" << true << "" << "file://<dir>/pic%2040x30.png"
                               << "pic 40x30.png" << 4 << 0;
        QTest::newRow("stylesheet") << "stylesheet" << "s.css" << false << "" << "s.css" << "" << 2 << 0;
        QTest::newRow("redirect") << "redirect" << "n.htm" << false << "" << "n.htm" << "5" << 6 << 2;
    }
    void browse()
    {
        QFETCH(QString, mode);
        QFETCH(QString, file);
        QFETCH(bool, fullAddress);
        QFETCH(QString, preset);
        QFETCH(QString, url);
        QFETCH(QString, filled);
        QFETCH(int, filters);
        QFETCH(int, filterIndex);
        OptFullIns = fullAddress;
        const QString path = mode == "image" ? picture(40, 30) : dir.filePath(file);
        frmAddBasic d;
        setUp(d, mode);
        QLineEdit* target = child<QLineEdit>(&d, mode == "image" ? "Text2" : "Text1");
        if (mode != "redirect")
            target->setText(preset);
        FileDialogResult chosen;
        chosen.accepted = true;
        chosen.files << path;
        prompter->queueFile(chosen);
        click(&d, "Command1");
        QCOMPARE(prompter->asked.last().title, QStringLiteral("Select"));
        QCOMPARE(prompter->asked.last().file.nameFilters.size(), filters);
        QCOMPARE(prompter->asked.last().file.filterIndex, filterIndex);
        QCOMPARE(d.Combo1()->currentText(), QString(url).replace("<dir>", dir.path()));
        if (mode != "stylesheet")
            QCOMPARE(target->text(), filled);
        if (mode == "image") {
            QCOMPARE(d.ImageSize(), QSize(40, 30));
            child<QCheckBox>(&d, "Check1")->click();
            click(&d, "cmdOK");
            QVERIFY2(PendingInsert.contains(" BORDER=\"0\" HEIGHT=\"30\" WIDTH=\"40\">"), qPrintable(PendingInsert));
            PendingInsert.clear();
        }
    }

    void browseCancelled()
    {
        frmAddBasic d;
        d.SetUpAnchor(QString());
        d.Combo1()->setEditText("keep");
        prompter->queueFile(FileDialogResult{});
        click(&d, "Command1");
        QCOMPARE(d.Combo1()->currentText(), QStringLiteral("keep"));
        QCOMPARE(child<QLineEdit>(&d, "Text1")->text(), QString());
    }

    // --- through the menus ---

    void anchorTakesTheSelection()
    {
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        SetMarkedText(e, "go [home] now");
        QString preset;
        prompter->queueDialog([&](QDialog* d) {
            preset = d->findChild<QLineEdit*>("Text1")->text();
            static_cast<frmAddBasic*>(d)->Combo1()->setEditText("index.htm");
            d->findChild<QPushButton*>("cmdOK")->click();
            return d->result();
        });
        runMenu(1, "Anchor");
        QCOMPARE(preset, QStringLiteral("home"));
        QCOMPARE(MarkedText(e), QStringLiteral("go <A HREF=\"index.htm\">home</A>| now"));
        QVERIFY(PendingInsert.isEmpty());
    }

    void cancelledDialogsChangeNothing_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::newRow("anchor") << 1 << "Anchor" << "New anchor";
        QTest::newRow("image") << 1 << "Image" << "New image";
        QTest::newRow("pop-up") << 8 << "Pop-up window script" << "Pop-up window wizard";
        QTest::newRow("stylesheet") << 11 << "Stylesheet link" << "Stylesheet link";
        QTest::newRow("redirect") << 11 << "Meta redirect (client pull)" << "Meta redirect";
        QTest::newRow("transitions") << 11 << "Page transitions" << "Transition";
        QTest::newRow("wizard") << 1 << "Page wizard" << "New web page wizard";
    }
    void cancelledDialogsChangeNothing()
    {
        QFETCH(int, button);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        SetMarkedText(e, "a [b] c");
        e->SetModified(false);
        m->List1()->setFocus();
        prompter->queueDialog([](QDialog* d) {
            // A value typed before Cancel is dropped.
            if (auto* combo = d->findChild<QComboBox*>("Combo1"))
                combo->setEditText("x.htm");
            d->findChild<QPushButton*>("cmdCancel")->click();
            return d->result();
        });
        runMenu(button, caption);
        QCOMPARE(prompter->asked.size(), 1);
        QCOMPARE(prompter->asked[0].title, title);
        QCOMPARE(e->Text(), QStringLiteral("a b c"));
        QCOMPARE(e->SelText(), QStringLiteral("b"));
        QVERIFY(!e->Modified());
        QVERIFY(PendingInsert.isEmpty());
    }
};

QTEST_MAIN(TestInsertDialogs)
#include "tst_insertdialogs.moc"
