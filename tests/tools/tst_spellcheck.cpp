#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

#include "MarkedText.h"
#include "TestEnv.h"
#include "tools/SpellCheck.h"
#include "tools/frmSpell.h"

class TestSpellCheck : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;
    SpellDictionary english;

private slots:
    void initTestCase() { QVERIFY(english.Load("en_US", nullptr)); }
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

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
};

QTEST_MAIN(TestSpellCheck)
#include "tst_spellcheck.moc"
