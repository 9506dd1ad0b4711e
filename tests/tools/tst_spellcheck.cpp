#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "document/CodeMax1.h"
#include "tools/SpellCheck.h"
#include "tools/frmSpell.h"

class TestSpellCheck : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    SpellDictionary english;

private slots:
    void initTestCase() { QVERIFY(english.Load("en_US", nullptr)); }
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

    void readableAndWords_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("parts");   // the readable ranges joined by "|"
        QTest::addColumn<QString>("words");   // the misspelled words joined by ","
        const char* rows[][4] = {
            {"text between tags", "<p>Thsi <b>dog</b></p>", "Thsi |dog", "Thsi"},
            {"attributes", "<img src=\"x.png\" alt=\"A pictur\" TITLE='Tip' width=3><a href=\"teh.html\" class=teh>"
                           "link</a>", "A pictur|Tip|link", "pictur"},
            {"comment, scripts, style, doctype", "<!-- teh -->is<script>teh '<b>'</script>a<STYLE>colr</Style>cat"
                                                 "<% Write \"teh\" %>dog<!DOCTYPE html>", "is|a|cat|dog", ""},
            {"less-than, unclosed tag", "one < two<p class=\"x", "one < two", ""},
            {"button captions, placeholders, labels",
             "<input type=\"submit\" value=\"Sumbit\"><input value=\"zzq\" type=text>"
             "<input placeholder=\"Yuor name\" aria-label='Serch'>", "Sumbit|Yuor name|Serch", "Sumbit,Yuor,Serch"},
            {"references in and around words", "tagg &lt;tagg&gt; Cafz&eacute;", "tagg &lt;tagg&gt; Cafz&eacute;",
             "tagg,tagg,Cafzé"},
            {"entities, digits, apostrophes, accents", "caf&eacute; 2nd &nbsp;x &amp; can’t teh's naïve résumé",
             "caf&eacute; 2nd &nbsp;x &amp; can’t teh's naïve résumé", "café,teh's,naïve,résumé"},
        };
        for (const auto& [tag, html, parts, words] : rows)
            QTest::newRow(tag) << QString::fromUtf8(html) << QString::fromUtf8(parts) << QString::fromUtf8(words);
    }
    void readableAndWords()
    {
        QFETCH(QString, html);
        QFETCH(QString, parts);
        QFETCH(QString, words);
        QStringList found;
        for (const SpellText::Range& r : SpellText::Readable(html))
            found << html.mid(r.start, r.length);
        QCOMPARE(found.join('|'), parts);
        SpellSession s(html, &english);
        found.clear();
        for (; s.Next(); s.Ignore())
            found << s.Word();
        QCOMPARE(found.join(','), words);
    }

    void decisions()
    {
        SpellSession s("<p>Thsi is teh end; teh. Quorlenish wrng wrng</p>", &english);
        QVERIFY(s.Next() && s.Suggestions().contains("This"));
        s.Change("This");
        QVERIFY(s.Next() && s.Word() == "teh");
        s.ChangeAll("the");
        QVERIFY(s.Next() && s.Word() == "Quorlenish");
        s.Add();   // kept for the next check too
        QVERIFY(s.Next() && s.Word() == "wrng");
        s.IgnoreAll();
        QVERIFY(!s.Next());
        QCOMPARE(s.Text(), QString("<p>This is the end; the. Quorlenish wrng wrng</p>"));
        SpellDictionary fresh;
        QVERIFY(fresh.Load("en_US", nullptr) && fresh.Check("Quorlenish"));
        QFile::remove(SpellDictionary::PersonalListPath());
        QString error;
        // Only the word's own characters are replaced; a reference to a letter is part of the word.
        SpellSession marks("<p>&lt;tagg&gt; Cafz&eacute;</p>", &english);
        QVERIFY(marks.Next() && marks.Word() == "tagg");
        marks.Change("tag");
        QVERIFY(marks.Next() && marks.Word() == QString::fromUtf8("Cafzé"));
        marks.Change(QString::fromUtf8("Café"));
        QCOMPARE(marks.Text(), QString::fromUtf8("<p>&lt;tag&gt; Café</p>"));
        QVERIFY(!fresh.Load("xx_XX", &error));
        QCOMPARE(error, QString("53: The spelling dictionary 'xx_XX' could not be found."));

        // The dialog's access keys reach their fields.
        SpellSession again("<p>wrng</p>", &english);
        QVERIFY(again.Next());
        frmSpell dialog(nullptr, &again);
        for (const auto& [label, field] : {std::pair{"C&hange to:", "txtChange"}, {"&Suggestions:", "lstSuggestions"}}) {
            QLabel* found = nullptr;
            for (QLabel* l : dialog.findChildren<QLabel*>())
                if (l->text() == QLatin1String(label))
                    found = l;
            QVERIFY2(found && found->buddy() && found->buddy()->objectName() == QLatin1String(field), label);
        }
    }

    // Over the document, or the selection only, in one undo step; caret, selection and clipboard kept.
    void wholeDocumentAndSelection()
    {
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        QString page = "<html>\r\n<head><title>Teh page</title>\r\n<script>var recieve = 1;</script></head>\r\n"
                       "<bod|y class=\"wierd\"><p>A sentense here.</p>\r\n</body></html>";
        SetMarkedText(e, page);
        QStringList seen;
        auto fix = [&](QDialog* d) {   // types "The", takes "sentence" from the suggestions
            auto* s = qobject_cast<frmSpell*>(d);
            for (int n = 0; n < 2 && d->result() != QDialog::Accepted; ++n) {
                seen << s->Session()->Word();
                QListWidget* list = s->lstSuggestions();
                seen.last() == "Teh" ? s->txtChange()->setText("The")
                                     : list->setCurrentItem(list->findItems("sentence", Qt::MatchExactly).value(0));
                s->cmdChange_Click();
            }
            return d->result();
        };
        prompter->queueDialog(fix);
        prompter->queueMsgBox(MsgAnswer::OK);
        MainWindow()->ToolbarButton("Spell")->trigger();
        QCOMPARE(seen, (QStringList{"Teh", "sentense"}));
        QCOMPARE(MarkedText(e), QString(page).replace("Teh page", "The page").replace("sentense", "sentence"));
        QCOMPARE(prompter->messages(), QStringList{"The spelling check is complete. The document has been updated."});
        QCOMPARE(QApplication::clipboard()->text(), QString("clip before"));
        e->Undo();   // one step back to the page, which the next check shows
        e->SetSel({3, 0, 3, 43});
        prompter->queueDialog(fix);
        prompter->queueMsgBox(MsgAnswer::OK);
        MainWindow()->Action("mnuToolsSpellCheck")->trigger();
        QCOMPARE(seen, (QStringList{"Teh", "sentense", "sentense"}));
        QCOMPARE(e->Text(), page.remove('|').replace("sentense", "sentence"));
        QCOMPARE(e->GetSel(false), (CodeMaxRange{3, 0, 3, 43}));
    }

    void outcomes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString none = "The spelling check is complete. No changes were made.";
        QTest::newRow("empty") << "" << "There is no spelling to check.";
        QTest::newRow("correct") << "<p>All fine here.</p>" << none;
        QTest::newRow("cancelled") << "<p>Mispeled</p>" << none;
    }
    void outcomes()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        CodeMax1* e = StartMain()->ActiveDocument()->Editor();
        e->SetText(text);
        if (text.contains("Mispeled"))   // the dialog opens; Cancel ends the check
            prompter->queueDialog([](QDialog* d) { return qobject_cast<frmSpell*>(d)->cmdCancel_Click(), d->result(); });
        prompter->queueMsgBox(MsgAnswer::OK);
        MainWindow()->Action("mnuToolsSpellCheck")->trigger();
        QCOMPARE(prompter->messages(), QStringList{message});
        QCOMPARE(e->Text(), text);
        QVERIFY(!e->Modified());
    }
};

QTEST_MAIN(TestSpellCheck)
#include "tst_spellcheck.moc"
