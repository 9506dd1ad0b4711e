#include <QClipboard>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "TestFiles.h"
#include "UrlCatcher.h"
#include "base/ShellRoutines.h"
#include "document/FileText.h"
#include "tools/LineDiff.h"
#include "tools/SpellCheck.h"
#include "tools/Tidy.h"
#include "tools/ToolCommands.h"
#include "tools/Tune.h"
#include "tools/frmSpell.h"
#include "tools/frmTidy.h"

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

// The Tools menu's commands on the text: case, date, repeat, compression, spell check, HTML Tidy and the
// changes it would make, the clipboard viewer; user tools and help.
class TestTextTools : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    QTemporaryDir dir;
    SpellDictionary english;
    static constexpr const char* kClean = "<!DOCTYPE html>\r\n<html><head><title>T</title></head><body><p>Hi</p></body></html>";
    static constexpr const char* kWarnings = "<html><head><title>T</title></head><body><p>Hello<b>x</p></body></html>\r\n";
    static constexpr const char* kError = "<!DOCTYPE html>\r\n<html><head><title>T</title></head><body><foo>x</foo></body></html>";
    static constexpr const char* kList = "<!DOCTYPE html>\r\n<html><head><title>T</title></head><body><ul><li>a</li></ul></body></html>";

    static QString tidyDirectly(const QString& page, bool forced)
    {
        QTemporaryDir dir;
        const QString file = WriteTestFile(dir, "~tidy_qrn.html", page.toUtf8());
        QProcess::execute("tidy", Tidy::Arguments(forced ? Tidy::RunKind::Forced : Tidy::RunKind::Tidy, dir.path()));
        const QString out = QString::fromUtf8(ReadTestFile(file)).remove('\r');
        return FileText::NormaliseLineBreaks(QString(out).remove(QRegularExpression("\n+$")), "\r\n");
    }

    static void setAll(const QString& settings)
    {
        for (const QString& s : settings.split(' ', Qt::SkipEmptyParts))
            SaveSetting("Config", s.section('=', 0, 0), s.section('=', 1));
    }

private slots:
    void initTestCase() { QVERIFY(english.Load("en_US", nullptr)); }
    void init()
    {
        PrepareTestProfile();
        Tidy::SetProgramOverride(QString());
        Tidy::SetTimeLimit(60000);
        prompter = ScriptedPrompter::install();
        QApplication::clipboard()->setText("the user's clip");
    }
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

    // The text commands need a document in edit mode; Case also a selection. Without a dictionary the spell check is
    // hidden; reached anyway (a stale shortcut, say), it says so and the text stays.
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
        CloseMain(prompter);
        QVERIFY(QDir().mkpath(dir.filePath("nodics")));
        Probe::SetDictionaryFolders({dir.filePath("nodics")});
        m = StartMain();
        QVERIFY(!m->Action("mnuToolsSpellCheck")->isVisible() && !m->ToolbarButton("Spell")->isVisible());
        m->ActiveDocument()->Editor()->SetText("Speling");
        prompter->queueMsgBox(MsgAnswer::OK);
        fctnSpellCheck(m);
        QCOMPARE(prompter->messages(), QStringList{"53: The spelling dictionary 'en_US' could not be found."});
        QCOMPARE(m->ActiveDocument()->Editor()->Text(), QStringLiteral("Speling"));
        QVERIFY(SpellDictionary::Installed().isEmpty());
    }

    // A user tool runs in the document's folder; a missing one offers the options, which only Yes opens. The
    // reference pages, the donation (after a question), the product page and the working folder go to the desktop.
    void userToolsAndHelp()
    {
        UrlCatcher catcher{{"file", "https"}};
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
        QCOMPARE(prompter->asked.at(2).text, QString("frmOptions"));
        prompter->queueMsgBox(MsgAnswer::No);
        prompter->queueMsgBox(MsgAnswer::Yes);
        for (const char* name : {"mnuHelpHTML", "mnuHelpCSS", "mnuHelpDonate", "mnuHelpDonate", "mnuHelpNet", "mnuToolsExplorer"})
            m->Action(name)->trigger();
        const QString ref = ToolCommands::ReferenceFolder();
        QCOMPARE(catcher.urls, (QList<QUrl>{QUrl::fromLocalFile(ref + "html.html"), QUrl::fromLocalFile(ref + "css.html"),
            QUrl(ProgramPages::DonationAddress()), QUrl(ProgramPages::ProductPage()), QUrl::fromLocalFile(QDir::currentPath())}));
        const QString tool = "The 'Notepad' tool cannot be found, suggesting a misconfiguration of tools. Do you want "
                             "to check your tool options now?";
        const QString donate = "This enables you to donate securely via PayPal. Do you wish to proceed?";
        QCOMPARE(prompter->messages(), (QStringList{tool, tool, donate, donate}));
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
        QCOMPARE(TuneReport({200, 199}), QString("0.50% decrease in size (1 bytes)."));   // two decimals
        QCOMPARE(TuneReport({0, 0}), prompter->messages().last());   // an empty text divides by nothing
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2}));
        e->Undo();
        QCOMPARE(e->Text(), page);
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2, 4}));
        e->Redo();
        QCOMPARE(e->Bookmarks(), (QVector<int>{0, 1, 2}));
    }

    // Random texts thick with spaces, breaks and brackets, at every length around
    // the 16, 32 and 64 characters the pass goes by; sample pages; and, when
    // QRN_TIDY_CASES names a folder, the pages in it. A long page takes linear time.
    void tuneSameAsStepByStep()
    {
        const QString page = QString("<td  a = 1 >  </td >\r\n \r\n").repeated(40000);
        QElapsedTimer t;
        t.start();
        QCOMPARE(TuneText(page), QString("<td a=1> </td>\r\n").repeated(40000));
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
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

    void optionText_data()
    {
        QTest::addColumn<QString>("settings");   // key=value pairs
        QTest::addColumn<QString>("options");
        QTest::newRow("defaults") << "" << " -i -q -ashtml -u --uppercase-attributes yes";
        QTest::newRow("all on, row order") << "Tidy1Omit=-1 Tidy3Clean=-1 Tidy5Bare=-1 Tidy6Xhtml=-1"
                                           << " -i -omit -c -q -b -asxhtml -u --uppercase-attributes yes";
        QTest::newRow("1 counts as off, True as on") << "Tidy0Indent=1 Tidy2Upper=1 Tidy5Bare=True" << " -q -b -ashtml";
    }
    void optionText()
    {
        QFETCH(QString, settings);
        QFETCH(QString, options);
        setAll(settings);
        QCOMPARE(Tidy::OptionText(), options);
    }

    void arguments()
    {
        const QString d = dir.path();
        const QString switches = " -i -q -ashtml -u --uppercase-attributes yes --tidy-mark no --wrap-asp no ";
        QCOMPARE(Tidy::Arguments(Tidy::RunKind::Check, d).join(' '),
                 "-f " + d + "/~tidy_qrn.txt" + switches + d + "/~tidy_qrn.html");
        QCOMPARE(Tidy::Arguments(Tidy::RunKind::Forced, d).join(' '),
                 "-m" + switches + "--force-output yes " + d + "/~tidy_qrn.html");
        QVERIFY(Tidy::Arguments(Tidy::RunKind::Tidy, "-x").last().startsWith('/'));   // never a "-" switch
    }

    // Runs the installed tidy through the menu; the result is tidy's own output for the same switches, in CR LF.
    void realTidy_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("forceAnswer");   // 0: no question expected
        QTest::addColumn<QString>("resultHas"); // empty: the document must stay unchanged
        QTest::newRow("warnings only") << kWarnings << "" << 0 << "</B>";
        QTest::newRow("error, forced") << kError << "" << int(MsgAnswer::Yes) << "<BODY>";
        QTest::newRow("error, not forced") << kError << "" << int(MsgAnswer::No) << "";
        QTest::newRow("log closed") << kWarnings << "" << 0 << "";
        QTest::newRow("xhtml, lower case") << kClean << "Tidy6Xhtml=-1 Tidy2Upper=0" << 0 << "<html xmlns=";
        QTest::newRow("omit end tags") << kList << "Tidy1Omit=-1" << 0 << "<LI>a\r\n";
    }
    void realTidy()
    {
        QFETCH(QString, page);
        QFETCH(QString, settings);
        QFETCH(int, forceAnswer);
        const QString logHas = page == kWarnings ? " - Warning: " : page == kError ? " - Error: " : "";
        QFETCH(QString, resultHas);
        setAll(settings);
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        e->SetText(page);
        e->SetSel({0, 1, 0, 4});
        QString log;
        prompter->queueDialog([&](QDialog* d) {
            auto* t = qobject_cast<frmTidy*>(d);
            log = t->windowTitle() + ": " + t->Editor()->Text();
            if (QFileInfo::exists(Tidy::LastWorkFolder() + "/~tidy_qrn.html"))   // there while the log shows
                resultHas.isEmpty() && !forceAnswer ? t->cmdCancel_Click() : t->cmdOK_Click();
            return t->result();
        });
        if (forceAnswer)
            prompter->queueMsgBox(forceAnswer);
        MainWindow()->Action("mnuToolsTidy")->trigger();
        QVERIFY2(log.startsWith("HTML Tidy: ") && (logHas.isEmpty() ? !log.contains(QRegularExpression(" - (Error|Warning): "))
                                                                    : log.contains(logHas)), qPrintable(log));
        QCOMPARE(prompter->messages().join(""), forceAnswer ? "The file contains errors HTML Tidy cannot correct. Do you want to force HTML "
                    "Tidy to proceed?\r\n\r\nCAUTION: proceeding with HTML Tidy in this situation may result in a poorly formed document." : "");
        if (forceAnswer)   // No is the default answer
            QCOMPARE(prompter->asked.last().buttons, int(MsgButtons::YesNo | MsgButtons::DefaultButton2));
        QCOMPARE(e->GetSel(false), (CodeMaxRange{0, 1, 0, 4}));
        const QString expected = resultHas.isEmpty() ? page : tidyDirectly(page, forceAnswer == MsgAnswer::Yes);
        QVERIFY(expected.contains(resultHas));
        QCOMPARE(e->Text(), expected);   // CR LF kept
        QCOMPARE(e->Modified(), !resultHas.isEmpty());
        e->Undo();   // in one step
        QCOMPARE(e->Text(), page);
        QCOMPARE(QApplication::clipboard()->text(), QString("the user's clip"));
        QVERIFY(!QDir(Tidy::LastWorkFolder()).exists());
    }

    // A single-byte page goes through Tidy in its own encoding: what it declares is what is saved.
    void singleBytePageKeepsItsCharset_data()
    {
        QTest::addColumn<QString>("charset");
        QTest::addColumn<QString>("reopen");   // the File > Reopen with Encoding item; empty: as detected
        QTest::addColumn<QByteArray>("word");  // as the file has it
        QTest::addColumn<QString>("shown");
        QTest::newRow("ISO-8859-1") << "iso-8859-1" << "" << QByteArray("Caf\xE9") << QStringLiteral("Caf\u00e9");
        QTest::newRow("Windows-1252") << "windows-1252" << "mnuFileReopenWin1252" << QByteArray("\x93" "Caf\xE9\x94 \x80")
                                      << QStringLiteral("\u201cCaf\u00e9\u201d \u20ac");
        QTest::newRow("ISO-8859-15") << "iso-8859-15" << "mnuFileReopenLatin9" << QByteArray("\xBD" "uvre \xA4")
                                     << QStringLiteral("\u0153uvre \u20ac");
    }
    void singleBytePageKeepsItsCharset()
    {
        QFETCH(QString, charset);
        QFETCH(QString, reopen);
        QFETCH(QByteArray, word);
        QFETCH(QString, shown);
        const QString path = WriteTestFile(dir, "single.html",
            "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset.toLatin1() +
            "\"><title>T</title></head><body><p>" + word + "</p></body></html>");
        frmMain* m = StartMain('"' + path + '"');
        if (!reopen.isEmpty())
            m->Action(reopen)->trigger();
        prompter->queueDialog([](QDialog* d) {
            qobject_cast<frmTidy*>(d)->cmdOK_Click();
            return d->result();
        });
        m->Action("mnuToolsTidy")->trigger();
        QVERIFY2(m->ActiveDocument()->Editor()->Text().contains(shown), qPrintable(m->ActiveDocument()->Editor()->Text()));
        QVERIFY(m->mnuFileSave_Click());
        const QByteArray saved = ReadTestFile(path);
        QVERIFY2(saved.contains(word) && saved.contains("charset=" + charset.toLatin1()), saved.constData());
        QVERIFY2(!saved.contains("utf-8") && !saved.contains("us-ascii"), saved.constData());
    }

    // A missing, crashing or hanging tidy, and Cancel on the progress, leave the document as it was.
    void failures_data()
    {
        QTest::addColumn<QString>("script");    // empty: a program that does not exist
        QTest::addColumn<QString>("message");   // start of the message; empty: Cancel on the progress instead
        QTest::newRow("missing") << "" << "HTML Tidy could not be started (/nonexistent/tidy)";
        QTest::newRow("crash") << "kill -SEGV $$" << "HTML Tidy stopped unexpectedly";
        QTest::newRow("time limit") << "exec sleep 30" << "HTML Tidy did not finish within 1 seconds and was stopped.";
        QTest::newRow("progress cancelled") << "exec sleep 30" << "";
    }
    void failures()
    {
        QFETCH(QString, script);
        QFETCH(QString, message);
        Tidy::SetProgramOverride(script.isEmpty() ? QString("/nonexistent/tidy")
                                                  : WriteTestFile(dir, QTest::currentDataTag(), "#!/bin/sh\n" + script.toUtf8(), true));
        Tidy::SetTimeLimit(message.isEmpty() ? 60000 : 1000);
        frmDocument* doc = StartMain()->ActiveDocument();
        doc->Editor()->SetText(kWarnings);
        bool progressShown = false;
        if (!message.isEmpty())
            prompter->queueMsgBox(MsgAnswer::OK);
        else
            QTimer::singleShot(1500, [&] {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->objectName() == "TidyProgress")
                        progressShown = p->isVisible(), p->findChild<QPushButton*>()->click();
            });
        const qint64 started = QDateTime::currentMSecsSinceEpoch();
        doc->window()->findChild<QAction*>("mnuToolsTidy")->trigger();
        QVERIFY(QDateTime::currentMSecsSinceEpoch() - started < 10000);
        QVERIFY2(message.isEmpty() ? progressShown && prompter->messages().isEmpty()
                                   : prompter->messages().value(0).startsWith(message),
                 qPrintable(prompter->messages().join('|')));
        QCOMPARE(doc->Editor()->Text(), QString(kWarnings));
        QVERIFY(!doc->Editor()->Modified());
        QVERIFY(!QDir(Tidy::LastWorkFolder()).exists());
    }

    // Closing the document or the main window while HTML Tidy runs ("check") or its log shows ("log") stops the
    // run; the close happens afterwards, and nothing typed meanwhile is lost.
    void closeWhileTidyRuns_data()
    {
        QTest::addColumn<QString>("stage");
        QTest::addColumn<bool>("mainWindow");
        for (const char* stage : {"check", "log"})
            for (bool mainWindow : {false, true})
                QTest::addRow("%s, %s", stage, mainWindow ? "main window" : "document") << QString(stage) << mainWindow;
    }
    void closeWhileTidyRuns()
    {
        QFETCH(QString, stage);
        QFETCH(bool, mainWindow);
        if (stage == "check")
            Tidy::SetProgramOverride(WriteTestFile(dir, "slowtidy", "#!/bin/sh\nexec sleep 30\n", true));
        frmMain* m = StartMain();
        QPointer<frmDocument> doc = m->ActiveDocument();
        doc->Editor()->SetSelText("<P>page</P>");
        QString typed;
        auto closeIt = [&] {
            QTest::keyClicks(doc->Editor(), "typed");
            typed = doc->Editor()->Text();
            prompter->queueMsgBox(MsgAnswer::No);   // the save question, once the run has stopped
            mainWindow ? m->close() : doc->SubWindow()->close();
        };
        if (stage == "check")
            QTimer::singleShot(200, closeIt);
        else
            prompter->queueDialog([&](QDialog* d) {
                closeIt();
                qobject_cast<frmTidy*>(d)->cmdOK_Click();   // too late: the run was cancelled
                return int(QDialog::Accepted);
            });
        QElapsedTimer t;
        t.start();
        m->Action("mnuToolsTidy")->trigger();
        QVERIFY2(t.elapsed() < 10000, "the run went on after the close");
        QVERIFY(doc && !doc->IsBusy() && !doc->Editor()->isReadOnly());
        QCOMPARE(typed + "|" + doc->Editor()->Text(), QString("<P>page</P>|<P>page</P>"));   // read-only while Tidy works
        QTRY_VERIFY(!doc);
        QCOMPARE(prompter->messages(), QStringList{"Save changes to 'Document 1'?"});
        QTRY_COMPARE(bool(MainWindow()), !mainWindow);
    }

    void unifiedDiff_data()
    {
        QTest::addColumn<QString>("a");   // lines joined by '|'
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("diff");   // without the two name lines
        QTest::newRow("equal") << "x|y" << "x|y" << 3 << "";
        QTest::newRow("one line changed") << "1|2|3|4|5|6|7|8|9" << "1|2|3|4|five|6|7|8|9" << 3
                                          << "@@ -2,7 +2,7 @@\n 2\n 3\n 4\n-5\n+five\n 6\n 7\n 8\n";
        QTest::newRow("into an empty text") << "" << "x|y" << 3 << "@@ -0,0 +1,2 @@\n+x\n+y\n";
        QTest::newRow("all removed") << "x" << "" << 3 << "@@ -1 +0,0 @@\n-x\n";
        QTest::newRow("added at the end") << "x" << "x|y" << 3 << "@@ -1 +1,2 @@\n x\n+y\n";
        QTest::newRow("far apart: two hunks") << "1|2|3|4|5|6|7" << "1|two|3|4|5|six|7" << 1
                                              << "@@ -1,3 +1,3 @@\n 1\n-2\n+two\n 3\n@@ -5,3 +5,3 @@\n 5\n-6\n+six\n 7\n";
        QTest::newRow("near: one hunk") << "1|2|3|4|5" << "1|two|3|four|5" << 1
                                        << "@@ -1,5 +1,5 @@\n 1\n-2\n+two\n 3\n-4\n+four\n 5\n";
        QTest::newRow("lines moved") << "a|b|c|d" << "b|c|d|a" << 0 << "@@ -1 +0,0 @@\n-a\n@@ -4,0 +4 @@\n+a\n";
    }
    void unifiedDiff()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, context);
        QFETCH(QString, diff);
        auto lines = [](const QString& s) { return s.isEmpty() ? QStringList() : s.split('|'); };
        QCOMPARE(LineDiff::Unified(lines(a), lines(b), "a", "b", context), diff.isEmpty() ? diff : "--- a\n+++ b\n" + diff);
    }

    // The edit script gives back both texts and is as short as their longest common subsequence allows;
    // past the limit of changes it is still whole.
    void lineDiffIsShortest()
    {
        QRandomGenerator random(7);
        auto text = [&] {
            QStringList lines;
            for (int n = random.bounded(12); n > 0; --n)
                lines << QString(QChar('a' + random.bounded(3)));
            return lines;
        };
        for (int round = 0; round < 400; ++round) {
            const QStringList a = text(), b = text();
            std::vector<std::vector<int>> lcs(a.size() + 1, std::vector<int>(b.size() + 1, 0));
            for (qsizetype i = a.size() - 1; i >= 0; --i)
                for (qsizetype j = b.size() - 1; j >= 0; --j)
                    lcs[i][j] = a[i] == b[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
            for (int limit : {2000, 1}) {
                QStringList before, after;
                int changes = 0;
                for (const LineDiff::Line& line : LineDiff::Compare(a, b, limit)) {
                    if (line.kind != LineDiff::Kind::Added)
                        before << line.text;
                    if (line.kind != LineDiff::Kind::Removed)
                        after << line.text;
                    changes += line.kind != LineDiff::Kind::Same;
                }
                QCOMPARE(before, a);
                QCOMPARE(after, b);
                if (limit > 1)
                    QCOMPARE(changes, int(a.size() + b.size()) - 2 * lcs[0][0]);
            }
        }
    }

    // "Show changes" shows Tidy's result against the page with changed lines marked; Tidy document
    // then applies that result, Close leaves the page, and declining to force Tidy keeps the log.
    void showChanges_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("apply");
        QTest::newRow("applied") << kWarnings << true;
        QTest::newRow("closed") << kWarnings << false;
        QTest::newRow("error, not forced") << kError << false;
    }
    void showChanges()
    {
        QFETCH(QString, page);
        QFETCH(bool, apply);
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        e->SetText(page);
        const QString tidied = tidyDirectly(page, false);
        QString diff, label;
        QList<int> marks;
        prompter->queueDialog([&](QDialog* d) {
            auto* t = qobject_cast<frmTidy*>(d);
            t->cmdShowChanges()->click();
            diff = t->Editor()->Text();
            label = t->Label1()->text();
            for (int line = 0; line < t->Editor()->LineCount(); ++line)
                marks << int(t->Editor()->markersAtLine(line) >> 2);
            apply ? t->cmdOK_Click() : t->cmdCancel_Click();
            return t->result();
        });
        if (page == kError)
            prompter->queueMsgBox(MsgAnswer::No);
        MainWindow()->Action("mnuToolsTidy")->trigger();
        if (page == kError) {
            QCOMPARE(label, QString("Log file"));
            QVERIFY(diff.contains(" - Error: "));
        } else {
            QCOMPARE(label, QString("What Tidy document would change"));
            QStringList lines = tidied.split("\r\n");
            for (QString& line : lines)
                line.prepend('+');
            QCOMPARE(diff, QString("--- Document\n+++ After HTML Tidy\n@@ -1 +1,%1 @@\n-%2\n%3\n")
                               .arg(lines.size()).arg(QString(kWarnings).trimmed(), lines.join('\n')));
            QList<int> expected{0, 0, 0, 1};   // names, hunk head, the removed line, then the added ones
            expected.append(QList<int>(lines.size(), 2));
            QCOMPARE(marks.mid(0, expected.size()), expected);
        }
        QCOMPARE(e->Text(), apply ? tidied : page);
        if (apply) {
            e->Undo();
            QCOMPARE(e->Text(), page);
        }
        QVERIFY(!QDir(Tidy::LastWorkFolder()).exists());
    }

    // Shows the clipboard's text; "Clear text" empties it and disables itself; an empty clipboard shows nothing.
    void clipboardViewer()
    {
        StartMain();
        QStringList seen;
        for (int i = 0; i < 2; ++i) {
            prompter->queueDialog([&](QDialog* d) {
                auto* t = qobject_cast<frmTidy*>(d);
                seen << t->windowTitle() + "|" + t->Editor()->Text() + "|" + QString::number(t->cmdOK()->isEnabled());
                if (t->cmdOK()->isEnabled())   // stays open
                    t->cmdOK_Click(), seen << QString::number(t->cmdOK()->isEnabled()) + QString::number(t->result());
                return int(QDialog::Rejected);
            });
            MainWindow()->Action("mnuToolsClip")->trigger();
        }
        QCOMPARE(seen, (QStringList{"Clipboard viewer|the user's clip|1", "00", "Clipboard viewer||0"}));
        QCOMPARE(QApplication::clipboard()->text(), QString());
    }
};

QTEST_MAIN(TestTextTools)
#include "tst_texttools.moc"
