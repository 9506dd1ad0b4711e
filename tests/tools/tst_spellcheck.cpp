#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QTextEdit>
#include <QtTest>

#include "TestEnv.h"
#include "document/CodeMax1.h"
#include "tools/SpellCheck.h"
#include "tools/frmSpell.h"

class TestSpellCheck : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    SpellDictionary english;

    // The misspelled words a session finds when every one is ignored.
    QStringList misspelled(const QString& text)
    {
        SpellSession s(text, &english);
        QStringList words;
        while (s.Next()) {
            words << s.Word();
            s.Ignore();
        }
        return words;
    }

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(english.Load("en_US", &error), qPrintable(error));
    }
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
        QApplication::clipboard()->setText("clip before");
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
    }

    void readable_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("parts");   // the readable ranges joined by "|"
        QTest::newRow("text between tags") << "<p>Hello <b>world</b></p>" << "Hello |world";
        QTest::newRow("alt and title") << "<img src=\"x.png\" alt=\"A pictur\" TITLE='Tip' width=3>" << "A pictur|Tip";
        QTest::newRow("other attributes") << "<a href=\"teh.html\" class=teh>link</a>" << "link";
        QTest::newRow("unquoted alt") << "<img alt=Pic>" << "Pic";
        QTest::newRow("comment") << "<!-- teh note -->a" << "a";
        QTest::newRow("script") << "<script>var teh = '<b>';</script>b" << "b";
        QTest::newRow("style, any case") << "<STYLE>p { colr: red }</Style>c" << "c";
        QTest::newRow("server script") << "<% Response.Write \"teh\" %>d" << "d";
        QTest::newRow("doctype") << "<!DOCTYPE html>e" << "e";
        QTest::newRow("less-than in text") << "a < b" << "a < b";
        QTest::newRow("self-closing") << "x<br/>y" << "x|y";
        QTest::newRow("unclosed tag") << "z<p class=\"x" << "z";
        QTest::newRow("unclosed script") << "<script>teh" << "";
    }
    void readable()
    {
        QFETCH(QString, html);
        QFETCH(QString, parts);
        QStringList found;
        for (const SpellText::Range& r : SpellText::Readable(html))
            found << html.mid(r.start, r.length);
        QCOMPARE(found.join('|'), parts);
    }

    void words_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("plain") << "Thsi is a tset." << QStringList{"Thsi", "tset"};
        QTest::newRow("markup skipped") << "<p class=\"colr\">teh <i title=\"tilte\">cat</i></p><!-- wrng -->"
                                        << QStringList{"teh", "tilte"};
        QTest::newRow("entities and digits") << "caf&eacute; 2nd mp3 &nbsp;x &amp; y" << QStringList{};
        QTest::newRow("apostrophes") << "don't can’t 'quoted' teh's" << QStringList{"teh's"};
        // Accented words are not in en_US: they come whole, not in pieces.
        QTest::newRow("accented") << "naïve résumé" << QStringList{"naïve", "résumé"};
    }
    void words()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, words);
        QCOMPARE(misspelled(text), words);
    }

    void decisions()
    {
        SpellSession s("<p>Thsi is a tset of teh checker, teh end; teh.</p>", &english);
        QVERIFY(s.Next());
        QCOMPARE(s.Word(), QString("Thsi"));
        QVERIFY(s.Suggestions().contains("This"));
        int offset = -1;
        QCOMPARE(s.Context(&offset), QString("<p>Thsi is a tset of teh checker, teh end; teh.</p>"));
        QCOMPARE(offset, 3);
        s.Change("This");
        QVERIFY(s.Next());
        QCOMPARE(s.Word(), QString("tset"));
        s.Ignore();
        QVERIFY(s.Next());
        QCOMPARE(s.Word(), QString("teh"));
        s.ChangeAll("the");
        QVERIFY(!s.Next());
        QCOMPARE(s.Text(), QString("<p>This is a tset of the checker, the end; the.</p>"));

        SpellSession ignore("teh and teh", &english);
        QVERIFY(ignore.Next());
        ignore.IgnoreAll();
        QVERIFY(!ignore.Next());
        QCOMPARE(ignore.Text(), QString("teh and teh"));
    }

    void personalList()
    {
        SpellDictionary d;
        QVERIFY(d.Load("en_US", nullptr));
        SpellSession s("Quorlenish", &d);
        QVERIFY(s.Next());
        s.Add();
        QVERIFY(!s.Next());
        // Kept for the user's next check.
        SpellDictionary fresh;
        QVERIFY(fresh.Load("en_US", nullptr));
        QVERIFY(fresh.Check("Quorlenish"));
        QFile::remove(SpellDictionary::PersonalListPath());
    }

    void unknownDictionary()
    {
        SpellDictionary d;
        QString error;
        QVERIFY(!d.Load("xx_XX", &error));
        QCOMPARE(error, QString("53: The spelling dictionary 'xx_XX' could not be found."));
        QVERIFY(SpellDictionary::Installed().contains("en_US"));
    }

    void wholeDocument()
    {
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        const QString page = "<html>\r\n<head><title>Teh page</title>\r\n<script>var recieve = 1;</script></head>\r\n"
                             "<body class=\"wierd\"><p>A sentense here.</p>\r\n</body></html>";
        e->SetText(page);
        e->SetCaretPos(3, 4);
        QStringList seen;
        QString context;
        prompter->queueDialog([&](QDialog* d) {
            auto* s = qobject_cast<frmSpell*>(d);
            seen << s->Session()->Word();
            context = s->txtContext()->toPlainText();
            s->txtChange()->setText("The");
            s->cmdChange_Click();
            seen << s->Session()->Word();
            // The first suggestion is offered in the box; take it from the list.
            const auto items = s->lstSuggestions()->findItems("sentence", Qt::MatchExactly);
            if (items.isEmpty())
                return int(QDialog::Rejected);
            s->lstSuggestions()->setCurrentItem(items.first());
            s->cmdChange_Click();
            return d->result();
        });
        prompter->queueMsgBox(MsgAnswer::OK);
        m->ToolbarButton("Spell")->trigger();
        QCOMPARE(seen, (QStringList{"Teh", "sentense"}));
        QVERIFY(context.contains("<title>Teh page</title>"));
        QCOMPARE(e->Text(), QString(page).replace("Teh page", "The page").replace("sentense", "sentence"));
        QCOMPARE(prompter->messages(), QStringList{"The spelling check is complete. The document has been updated."});
        QCOMPARE(prompter->asked.last().icon, int(MsgIcon::Information));
        QCOMPARE(e->GetSel(false), (CodeMaxRange{3, 4, 3, 4}));
        QCOMPARE(QApplication::clipboard()->text(), QString("clip before"));
        e->Undo();
        QCOMPARE(e->Text(), page);
    }

    void selectionOnly()
    {
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        e->SetText("teh first line\nsecond lnie here");
        const CodeMaxRange selection{1, 0, 1, 11};
        e->SetSel(selection);
        QStringList seen;
        prompter->queueDialog([&](QDialog* d) {
            auto* s = qobject_cast<frmSpell*>(d);
            seen << s->Session()->Word();
            s->txtChange()->setText("line");
            s->cmdChange_Click();
            return d->result();
        });
        prompter->queueMsgBox(MsgAnswer::OK);
        m->Action("mnuToolsSpellCheck")->trigger();
        QCOMPARE(seen, QStringList{"lnie"});
        QCOMPARE(e->Text(), QString("teh first line\nsecond line here"));
        QCOMPARE(e->GetSel(false), selection);
    }

    void outcomes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "" << false << "There is no spelling to check.";
        QTest::newRow("only markup") << "<p></p>" << false << "The spelling check is complete. No changes were made.";
        QTest::newRow("correct") << "<p>All fine here.</p>" << false
                                 << "The spelling check is complete. No changes were made.";
        QTest::newRow("cancelled") << "<p>Mispeled</p>" << true
                                   << "The spelling check is complete. No changes were made.";
    }
    void outcomes()
    {
        QFETCH(QString, text);
        QFETCH(bool, dialog);
        QFETCH(QString, message);
        frmMain* m = StartMain();
        CodeMax1* e = m->ActiveDocument()->Editor();
        e->SetText(text);
        if (dialog)
            prompter->queueDialog([](QDialog* d) {
                qobject_cast<frmSpell*>(d)->cmdCancel_Click();
                return d->result();
            });
        prompter->queueMsgBox(MsgAnswer::OK);
        m->Action("mnuToolsSpellCheck")->trigger();
        QCOMPARE(prompter->messages(), QStringList{message});
        QCOMPARE(e->Text(), text);
        QVERIFY(!e->Modified());
    }
};

QTEST_MAIN(TestSpellCheck)
#include "tst_spellcheck.moc"
