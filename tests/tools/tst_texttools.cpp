#include <QClipboard>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRandomGenerator>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "UrlCatcher.h"
#include "base/ShellRoutines.h"
#include "tools/SpellCheck.h"
#include "tools/ToolCommands.h"
#include "tools/Tune.h"
#include "tools/frmSpell.h"

namespace {
// The pass step by step, as its find-and-replace steps read: the fast pass must
// give the same on every text.
QByteArray StepByStep(QByteArray s)
{
    while (s.contains("  "))
        s.replace("  ", " ");
    for (const char* pair : {" >", "< ", "= ", " ="})
        s.replace(pair, QByteArray(pair).trimmed());
    // Lines that are empty or one space go with their break; the last has none.
    QByteArray out;
    for (qsizetype start = 0;;) {
        qsizetype end = start;
        while (end < s.size() && s[end] != '\n' && s[end] != '\r')
            ++end;
        const qsizetype next = end + (end < s.size()) + (s.mid(end, 2) == "\r\n");
        if (end - start > 1 || (end - start == 1 && s[start] != ' '))
            out += s.mid(start, next - start);
        if (end >= s.size())
            return out;
        start = next;
    }
}
} // namespace

// The Tools menu's commands on the text: case, date, repeat, compression, spell check; user tools and help.
class TestTextTools : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;
    SpellDictionary english;

private slots:
    void initTestCase() { QVERIFY(english.Load("en_US", nullptr)); }
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup()
    {
        CloseMain(prompter);
        Probe::SetDictionaryFolders({});
        QCOMPARE(prompter->unexpected, QStringList());
    }

    // The locale's short date, and its time given to the second; spaces before AM/PM differ between locale data.
    void dateAndTimeText()
    {
        QCOMPARE(ToolCommands::DateText(QDate(2024, 12, 25), QLocale("de_DE")), QString("25.12.24"));
        QCOMPARE(ToolCommands::TimeText(QTime(13, 5, 9), QLocale("de_DE")), QString("13:05:09"));
        QCOMPARE(ToolCommands::TimeText(QTime(13, 5, 9), QLocale("en_US")).replace(' ', QChar(0x202f)), QString("1:05:09\u202fPM"));
    }

    // Menu entries and their keys on the selection; "<date>" stands for today's.
    void textCommands_data()
    {
        QTest::addColumn<QString>("command");   // action names and keys typed into the editor
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("upper, non-ASCII") << "mnuToolsCaseUpper" << "<[Hello straße é]>" << "<HELLO STRASSE É|>";
        QTest::newRow("Ctrl+U") << "Ctrl+U" << "[HELLO] World" << "hello| World";
        QTest::newRow("Ctrl+Shift+U") << "Ctrl+Shift+U" << "[Hello] World" << "HELLO| World";
        QTest::newRow("date") << "mnuToolsDate" << "say [WORD] now" << "say <date>| now";
        QTest::newRow("Ctrl+D is the date") << "Ctrl+D" << "x|" << "x<date>|";
        QTest::newRow("repeat 3 times") << "mnuToolsRepeat Right" << "|abcdef" << "abc|def";
    }
    void textCommands()
    {
        QFETCH(QString, command);
        QFETCH(QString, before);
        QFETCH(QString, after);
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        SetMarkedText(e, before);
        e->SetFocus();
        if (command.startsWith("mnuToolsRepeat"))
            prompter->queueInput(QString("3"));
        for (const QString& c : command.split(' '))
            c.startsWith("mnu") ? MainWindow()->Action(c)->trigger() : QTest::keySequence(e, QKeySequence(c));
        QCOMPARE(MarkedText(e), after.replace("<date>", ToolCommands::DateText(QDate::currentDate())));
    }

    // The text commands need a document in edit mode; Case also a selection.
    void toolsMenuRule()
    {
        frmMain* m = StartMain('"' + WriteTestFile(dir, "rule.html", "<p>text</p>") + '"');
        auto enabledTools = [m] {
            emit m->Menu("mnuTools")->aboutToShow();
            QString out;
            for (const char* name : {"Repeat", "Date", "Time", "Compress", "Browser", "SpellCheck", "Tidy"})
                out += m->Action(QString("mnuTools") + name)->isEnabled() ? name + QString(" ") : "";
            return out + (m->Menu("mnuToolsCase")->menuAction()->isEnabled() ? "Case" : "");
        };
        QCOMPARE(enabledTools(), QString("Repeat Date Time Compress Browser SpellCheck Tidy "));
        m->ActiveDocument()->Editor()->SetSel({0, 0, 0, 3});
        QVERIFY(enabledTools().endsWith("Tidy Case"));
        QTest::mouseClick(m->ActiveDocument()->Panel(2), Qt::LeftButton);   // preview
        QCOMPARE(enabledTools(), QString());
        m->ActiveDocument()->SubWindow()->close();
        QCOMPARE(enabledTools(), QString());   // no document
    }

    // A user tool runs in the document's folder; a missing one offers the options, which only Yes opens.
    void userTools()
    {
        SaveSetting("Config", "Tool1", "Mine");
        SaveSetting("Config", "ToolExe1", WriteTestFile(dir, "tool.sh", "#!/bin/sh\ntouch marker\n", true));
        SaveSetting("Config", "Tool2", "Notepad");
        SaveSetting("Config", "ToolExe2", dir.filePath("deleted-tool"));
        frmMain* m = StartMain('"' + WriteTestFile(dir, "pages/index.html", "") + '"');
        m->Action("mnuToolsE1")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath("pages/marker")), 10000);   // made in the document's folder
        prompter->queueDialog([](QDialog*) { return int(QDialog::Rejected); });   // the options, after Yes only
        for (int answer : {MsgAnswer::No, MsgAnswer::Yes})
            prompter->queueMsgBox(answer), m->Action("mnuToolsE2")->trigger();
        QCOMPARE(prompter->messages(), QStringList(2, "The 'Notepad' tool cannot be found, suggesting a misconfiguration of "
                                                      "tools. Do you want to check your tool options now?"));
        QCOMPARE(prompter->asked.last().text, QString("frmOptions"));
    }

    void helpMenu()
    {
        UrlCatcher catcher{{"file", "https"}};
        frmMain* m = StartMain();
        prompter->queueMsgBox(MsgAnswer::No);
        prompter->queueMsgBox(MsgAnswer::Yes);
        for (const char* name : {"mnuHelpHTML", "mnuHelpCSS", "mnuHelpDonate", "mnuHelpDonate", "mnuHelpNet", "mnuToolsExplorer"})
            m->Action(name)->trigger();
        const QString ref = ToolCommands::ReferenceFolder();
        QCOMPARE(catcher.urls, (QList<QUrl>{QUrl::fromLocalFile(ref + "html.html"), QUrl::fromLocalFile(ref + "css.html"),
            QUrl(ProgramPages::DonationAddress()), QUrl(ProgramPages::ProductPage()), QUrl::fromLocalFile(QDir::currentPath())}));
        QCOMPARE(prompter->messages(), (QStringList(2, "This enables you to donate securely via PayPal. Do you wish to proceed?")));
    }

    // Basic HTML compression.
    void tuneText_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        auto row = [](const char* tag, const char* in, const char* out) { QTest::newRow(tag) << QString(in) << QString(out); };
        row("spaces, tab kept, attribute values", "a    b  \t  c<a title=\"x   y\">", "a b \t c<a title=\"x y\">");
        row("around brackets, passes in order", "< b><p >x</p >< = >", "<b><p>x</p><=>");
        row("LF lines", "a\n\n \nb\n", "a\nb\n");
        row("lone CR lines", "a\r\r \rb", "a\rb");
        row("tab-only and two-char lines stay", "a\r\n\t\r\n x\r\nb", "a\r\n\t\r\n x\r\nb");
        row("first and last line", "\r\n<p>\r\n ", "<p>\r\n");
        row("non-ASCII untouched", "é  ü\r\n\r\n€", "é ü\r\n€");
    }
    void tuneText()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(TuneText(in), out);
        QCOMPARE(TuneText(out), out);   // a second pass finds nothing more
    }

    // Two decimals; an empty text divides by nothing.
    void tuneReport()
    {
        QCOMPARE(TuneReport({200, 199}), QString("0.50% decrease in size (1 bytes)."));
        QCOMPARE(TuneReport({0, 0}), QString("No size reduction was possible in this pass - try a manual review."));
    }

    // Compresses in one undo step and reports; a second run finds nothing; bookmarks follow, also on Undo.
    void tuneInMainWindow()
    {
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        const QString page = "<html >\r\n\r\n<body  bgcolor = white>\r\n   \r\n<p >Hi</p >\r\n</body>\r\n";
        e->SetText(page);
        for (int line : {0, 1, 2, 4})
            e->SetCaretPos(line, 0), e->ExecuteCmd(CmCmd::BookmarkToggle);
        prompter->queueMsgBox(MsgAnswer::OK);
        prompter->queueMsgBox(MsgAnswer::OK);
        MainWindow()->ToolbarButton("Compress")->trigger();
        QCOMPARE(e->Text(), QString("<html>\r\n<body bgcolor=white>\r\n<p>Hi</p>\r\n</body>\r\n"));
        QCOMPARE(e->GetSel(true), (CodeMaxRange{0, 0, 0, 0}));
        QCOMPARE(MainWindow()->ActiveDocument()->Panel(4)->text(), QString("50 bytes"));
        MainWindow()->Action("mnuToolsCompress")->trigger();
        QCOMPARE(prompter->messages(), (QStringList{"20.63% decrease in size (13 bytes).",
                                                    "No size reduction was possible in this pass - try a manual review."}));
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2}));
        e->Undo();
        QCOMPARE(e->Text(), page);
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2, 4}));
        e->Redo();
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2}));
    }

    // Random texts thick with spaces, breaks and brackets, at every length around
    // the 16, 32 and 64 characters the pass goes by; sample pages; and, when
    // QRN_TIDY_CASES names a folder, the pages in it.
    void tuneSameAsStepByStep()
    {
        QList<QByteArray> texts;
        // U+203C and U+0120 have '<' and ' ' as their low byte in UTF-16.
        const char* const pieces[] = {" ", " ", " ", "\r", "\n", "<", ">", "=", "\t", "a", "\xc3\xa9",
                                      "\xe2\x80\xbc", "\xc4\xa0", "       "};
        QRandomGenerator rng(20240611);
        for (int i = 0; i < 4000; ++i) {
            const int length = i < 400 ? i % 100 : int(rng.bounded(i % 10 ? 150 : 1500));
            QByteArray text;
            while (text.size() < length)
                text += pieces[rng.bounded(int(std::size(pieces)))];
            texts << text;
        }
        // The pages of the timing programs, shorter.
        texts << "<HTML>\r\n<HEAD><TITLE>Sample</TITLE></HEAD>\r\n<BODY>\r\n" +
                     QByteArray("<TABLE BORDER=\"0\" CELLPADDING=\"4\" WIDTH=\"80%\">\r\n  <TR>\r\n"
                                "    <TD CLASS=\"name\">Sourdough &amp; rye</TD>\r\n    <TD>  3.50  </TD>\r\n  </TR>\r\n"
                                "</TABLE>\r\n<!-- price list -->\r\n"
                                "<P>Open   daily from 7&nbsp;am.   Fresh bread   every morning.</P>\r\n"
                                "<SCRIPT LANGUAGE=\"JavaScript\">\r\n"
                                "var total = 0; for (var i = 0; i < 10; i++) { total += i; }\r\n</SCRIPT>\r\n"
                                "    \r\n \r\n")
                         .repeated(70) + "</BODY>\r\n</HTML>\r\n"
              << "<html>\r\n<body>\r\n<table>\r\n" +
                     QByteArray("  <tr >\r\n    <td  class = \"cell\"  >Item   text   with   spaces</td >\r\n"
                                "    < td width = 5>x</td>\r\n  </tr>\r\n \r\n\r\n")
                         .repeated(70) + "</table>\r\n</body>\r\n</html>\r\n";
        const QString cases = qEnvironmentVariable("QRN_TIDY_CASES");
        QDirIterator it(cases, {"*.html"}, QDir::Files, QDirIterator::Subdirectories);
        while (!cases.isEmpty() && it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            texts << file.readAll();
        }
        for (const QByteArray& text : texts) {
            const QString wide = QString::fromUtf8(text);
            const QString wideOut = QString::fromUtf8(StepByStep(wide.toUtf8()));
            if (TuneUtf8(text) != StepByStep(text) || TuneText(wide) != wideOut)
                QFAIL(qPrintable("differs on " + text.left(400).toPercentEncoding()));
        }
    }

    void tuneInLinearTime()
    {
        const QString page = QString("<td  a = 1 >  </td >\r\n \r\n").repeated(40000);
        QElapsedTimer t;
        t.start();
        QCOMPARE(TuneText(page), QString("<td a=1> </td>\r\n").repeated(40000));
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
    }

    void readableAndWords_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("parts");   // the readable ranges joined by "|"
        QTest::addColumn<QString>("words");   // the misspelled words joined by ","
        auto row = [](const char* tag, const char* html, const char* parts, const char* words) {
            QTest::newRow(tag) << QString(html) << QString(parts) << QString(words);
        };
        row("text, less-than, unclosed tag", "<p>Thsi <b>dog</b></p>one < two<p class=\"x", "Thsi |dog|one < two", "Thsi");
        row("attributes", "<img src=\"x.png\" alt=\"A pictur\" TITLE='Tip' width=3><a href=\"teh.html\" class=teh>link</a>",
            "A pictur|Tip|link", "pictur");
        row("comment, scripts, style, doctype", "<!-- teh -->is<script>teh '<b>'</script>a<STYLE>colr</Style>cat"
            "<% Write \"teh\" %>dog<!DOCTYPE html>", "is|a|cat|dog", "");
        row("button captions, placeholders, labels", "<input type=\"submit\" value=\"Sumbit\"><input value=\"zzq\" type=text>"
            "<input placeholder=\"Yuor name\" aria-label='Serch'>", "Sumbit|Yuor name|Serch", "Sumbit,Yuor,Serch");
        row("references, digits, apostrophes, accents", "tagg &lt;tagg&gt; Cafz&eacute; caf&eacute; 2nd &nbsp;x &amp; can’t "
            "teh's naïve résumé", "", "tagg,tagg,Cafzé,café,teh's,naïve,résumé");   // all readable
    }
    void readableAndWords()
    {
        QFETCH(QString, html);
        QFETCH(QString, parts);
        QFETCH(QString, words);
        QStringList found, misspelled;
        for (const SpellText::Range& r : SpellText::Readable(html))
            found << html.mid(r.start, r.length);
        for (SpellSession s(html, &english); s.Next(); s.Ignore())
            misspelled << s.Word();
        QCOMPARE(found.join('|') + " / " + misspelled.join(','), (parts.isEmpty() ? html : parts) + " / " + words);
    }

    // Change, Change All, Add (kept for later checks), Ignore All; only the word's own characters are
    // replaced, a reference to a letter being part of the word; the dialog's access keys reach their fields.
    void decisions()
    {
        SpellSession s("<p>Thsi is teh end; teh. Quorlenish wrng wrng &lt;tagg&gt; Cafz&eacute;</p>", &english);
        QVERIFY(s.Next() && s.Suggestions().contains("This"));
        frmSpell dialog(nullptr, &s);
        s.Change("This");
        QVERIFY(s.Next() && s.Word() == "teh");
        s.ChangeAll("the");
        QVERIFY(s.Next() && s.Word() == "Quorlenish");
        s.Add();
        QVERIFY(s.Next() && s.Word() == "wrng");
        s.IgnoreAll();
        QVERIFY(s.Next() && s.Word() == "tagg");
        s.Change("tag");
        QVERIFY(s.Next() && s.Word() == QString("Cafzé"));
        s.Change(QString("Café"));
        QVERIFY(!s.Next());
        QCOMPARE(s.Text(), QString("<p>This is the end; the. Quorlenish wrng wrng &lt;tag&gt; Café</p>"));
        SpellDictionary fresh;   // a new load knows the added word; an unknown dictionary is named
        QString error;
        QVERIFY(fresh.Load("en_US", nullptr) && fresh.Check("Quorlenish") && !fresh.Load("xx_XX", &error));
        QCOMPARE(error, QString("53: The spelling dictionary 'xx_XX' could not be found."));
        QFile::remove(SpellDictionary::PersonalListPath());
        QStringList buddies;
        for (QLabel* l : dialog.findChildren<QLabel*>())
            if (l->text().contains('&'))
                buddies << (l->buddy() ? l->buddy()->objectName() : l->text());
        QCOMPARE(buddies, (QStringList{"txtChange", "lstSuggestions", "cmbLanguage"}));
    }

    // Over the document, or the selection only, in one undo step; caret, selection and clipboard kept.
    // A check that finds nothing, is cancelled or has no text changes nothing and says so.
    void inMainWindow()
    {
        QApplication::clipboard()->setText("clip before");
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        QString page = "<title>Teh page</title>\r\n<script>var recieve;</script><p cl|ass=\"wierd\">A sentense here.</p>";
        SetMarkedText(e, page);
        auto check = [&](const char* action, bool fix) {   // fix: types "The" over "Teh", takes "sentence" from the list
            prompter->queueDialog([fix](QDialog* d) {
                auto* s = qobject_cast<frmSpell*>(d);
                if (!fix)
                    return s->cmdCancel_Click(), d->result();
                if (s->Session()->Word() == "Teh")
                    s->txtChange()->setText("The"), s->cmdChange_Click();
                s->lstSuggestions()->setCurrentItem(s->lstSuggestions()->findItems("sentence", Qt::MatchExactly).value(0));
                s->cmdChange_Click();
                return d->result();
            });
            prompter->queueMsgBox(MsgAnswer::OK);
            MainWindow()->findChild<QAction*>(action)->trigger();
        };
        check("Toolbar1_Spell", true);
        QCOMPARE(MarkedText(e), QString(page).replace("Teh", "The").replace("sentense", "sentence"));
        QCOMPARE(QApplication::clipboard()->text(), QString("clip before"));
        prompter->queueMsgBox(MsgAnswer::OK);   // nothing left to offer: no dialog, no change and no undo step
        MainWindow()->Action("mnuToolsSpellCheck")->trigger();
        e->Undo();
        QCOMPARE(e->Text(), QString(page).remove(QLatin1Char('|')));
        check("mnuToolsSpellCheck", false);   // cancelled: no change and no undo step
        e->SetSel({1, 0, 1, 66});
        check("mnuToolsSpellCheck", true);
        QCOMPARE(e->Text(), page.remove('|').replace("sentense", "sentence"));
        QCOMPARE(e->GetSel(false), (CodeMaxRange{1, 0, 1, 66}));
        e->SetText("");
        check("Toolbar1_Spell", true);
        const QString done = "The spelling check is complete. ";
        QCOMPARE(prompter->messages(), (QStringList{done + "The document has been updated.", done + "No changes were made.",
            done + "No changes were made.", done + "The document has been updated.", "There is no spelling to check."}));
        QCOMPARE(prompter->pendingAnswers(), 1);   // the dialog for the empty text never opened
    }

    // Without a dictionary the command is hidden; reached anyway (a stale shortcut, say), it says so and the text stays.
    void noDictionaryInstalled()
    {
        QVERIFY(QDir().mkpath(dir.filePath("nodics")));
        Probe::SetDictionaryFolders({dir.filePath("nodics")});
        frmMain* m = StartMain();
        QVERIFY(!m->Action("mnuToolsSpellCheck")->isVisible() && !m->ToolbarButton("Spell")->isVisible());
        m->ActiveDocument()->Editor()->SetText("Speling");
        prompter->queueMsgBox(MsgAnswer::OK);
        fctnSpellCheck(m);
        QCOMPARE(prompter->messages(), QStringList{"53: The spelling dictionary 'en_US' could not be found."});
        QCOMPARE(m->ActiveDocument()->Editor()->Text(), QStringLiteral("Speling"));
        QVERIFY(SpellDictionary::Installed().isEmpty());
    }
};

QTEST_MAIN(TestTextTools)
#include "tst_texttools.moc"
