#include <QtTest>

#include "TestEnv.h"
#include "base/cCommonDialog.h"

class TestCommonDialog : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

private slots:
    void init() { prompter = ScriptedPrompter::install(); }

    void filterConversion_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("qt");
        QTest::newRow("documents")
            << "ASP files (*.asp)|*.asp|CSS files (*.css)|*.css|HTML/SHTML files (*.htm*, *.shtm*)|*.htm*;*.shtm*|"
               "Javascript files (*.js)|*.js|Text Files (*.txt)|*.txt|All Files (*.*)|*.*"
            << QStringList{"ASP files (*.asp)", "CSS files (*.css)", "HTML/SHTML files (*.htm* *.shtm*)",
                           "Javascript files (*.js)", "Text Files (*.txt)", "All Files (*)"};
        QTest::newRow("tools") << "BAT files (*.bat)|*.bat|EXE files (*.exe)|*.exe|All files (*.*)|*.*"
                               << QStringList{"BAT files (*.bat)", "EXE files (*.exe)", "All files (*)"};
        // A ":" splits as well as "|".
        QTest::newRow("colon") << "Pages: *.htm|Text|*.txt"
                               << QStringList{"Pages (*.htm)", "Text (*.txt)"};
    }
    void filterConversion()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, qt);
        QCOMPARE(cCommonDialog::QtNameFilters(filter), qt);
    }

    void openCancelResults()
    {
        cCommonDialog d;
        QString name = "x.html", title = "t", filter = "A|*.a|B|*.b";
        bool readOnly = true;
        int index = 2, flags = 4;
        prompter->queueFile({});
        QVERIFY(!d.VBGetOpenFileName(name, title, true, true, readOnly, false, filter, index, "", "", "", nullptr, flags));
        QCOMPARE(name, QString());
        QCOMPARE(title, QString());
        QCOMPARE(filter, QString());
        QCOMPARE(index, -1);
        QCOMPARE(flags, 0);
        QCOMPARE(d.APIReturn(), 0);
        QCOMPARE(d.ExtendedError(), 0);
        // The request the user saw.
        const FileDialogRequest& r = prompter->asked.last().file;
        QVERIFY(r.multiSelect);
        QVERIFY(r.mustExist);
        QCOMPARE(r.filterIndex, 1);
        QCOMPARE(r.fileName, QStringLiteral("x.html"));
    }

    void saveCancelKeepsFilter()
    {
        cCommonDialog d;
        QString name = "Document 4", title, filter = "A|*.a";
        int index = 1, flags = 0;
        prompter->queueFile({});
        QVERIFY(!d.VBGetSaveFileName(name, title, true, filter, index, "", "", "", nullptr, flags));
        QCOMPARE(name, QString());
        QCOMPARE(filter, QStringLiteral("A|*.a"));
        QCOMPARE(index, 0);
        QCOMPARE(flags, 0);
        QVERIFY(prompter->asked.last().file.overwritePrompt);
        QVERIFY(prompter->asked.last().file.save);
    }

    void openSingleAndMultiple()
    {
        cCommonDialog d;
        QString name, title, filter = "A|*.a|B|*.b";
        bool readOnly = false;
        int index = 1, flags = 0;
        prompter->queueFile({true, {"/srv/www/one.html"}, 1});
        QVERIFY(d.VBGetOpenFileName(name, title, true, true, readOnly, false, filter, index, "", "", "", nullptr, flags));
        QCOMPARE(name, QStringLiteral("/srv/www/one.html"));
        QCOMPARE(title, QStringLiteral("one.html"));
        QCOMPARE(index, 2);
        QCOMPARE(filter, QStringLiteral("B") + QChar::Null + QStringLiteral("*.b"));
        QCOMPARE(d.APIReturn(), 1);
        QVERIFY(flags & cCommonDialog::OFN_MULTISELECT);
        QVERIFY(flags & cCommonDialog::OFN_FILEMUSTEXIST);

        // Several files: the folder with one trailing slash, names separated by NUL.
        filter = "A|*.a";
        prompter->queueFile({true, {"/a.html", "/b.html"}, 0});
        QVERIFY(d.VBGetOpenFileName(name, title, true, true, readOnly, false, filter, index, "", "", "", nullptr, flags));
        QCOMPARE(name, QStringLiteral("/"));
        QCOMPARE(title, QStringLiteral("a.html") + QChar::Null + QStringLiteral("b.html"));
        prompter->queueFile({true, {"/srv/x y/a.html", "/srv/x y/b.html"}, 0});
        QVERIFY(d.VBGetOpenFileName(name, title, true, true, readOnly, false, filter, index, "", "", "", nullptr, flags));
        QCOMPARE(name, QStringLiteral("/srv/x y/"));
    }

    void flagWords()
    {
        QCOMPARE(cCommonDialog::OpenFlags(true, true, false, false, 4), 0x1000 | 0x80200 | 0x4);
        QCOMPARE(cCommonDialog::OpenFlags(false, false, true, true, 0x60), 0x1 | 0x4);
        QCOMPARE(cCommonDialog::SaveFlags(true, 0), 0x2 | 0x4);
        QCOMPARE(cCommonDialog::SaveFlags(false, 0x20), 0x4);
        QCOMPARE(cCommonDialog::ColorFlags(true, false, false), 0x101);
        QCOMPARE(cCommonDialog::ColorFlags(false, true, true), 0x80 | 0x1 | 0x2 | 0x4);
        int dc = -1;
        QCOMPARE(cCommonDialog::FontFlags(dc, 255, 8, 12, 0x8), 0x1 | 0x100 | 0x2000 | 0x40);
        QCOMPARE(dc, 0);
    }

    void colourDialog()
    {
        cCommonDialog d;
        int colour = 0x00FF00;
        prompter->queueColor(std::nullopt);
        QVERIFY(!d.VBChooseColor(colour));
        QCOMPARE(colour, -1);
        colour = 255;
        prompter->queueColor(QColor(0x12, 0x34, 0x56));
        QVERIFY(d.VBChooseColor(colour));
        QCOMPARE(colour, 0x12 + 256 * 0x34 + 65536 * 0x56);
        QCOMPARE(prompter->asked.last().text, QStringLiteral("#ff0000"));  // starts at the given colour
    }

    void customColours()
    {
        cCommonDialog d;
        QCOMPARE(d.CustomColor(16), -1);
        QCOMPARE(d.CustomColor(-1), -1);
        d.SetCustomColor(16, 5);
        QCOMPARE(d.CustomColor(16), -1);
        d.SetCustomColor(3, 0x123456);
        QCOMPARE(d.CustomColor(3), 0x123456);
        QVERIFY(d.CustomColor(0) >= 0);
    }

    void fontConversion()
    {
        QCOMPARE(cCommonDialog::FontHeight(12, 15), -16);
        QCOMPARE(cCommonDialog::FontHeight(10, 15), -13);
        cCommonDialog d;
        cCommonDialog::Font font{"Courier", 12, 400, false, false, false, false};
        int dc = -1, colour = 0, flags = 0;
        prompter->queueFont(std::nullopt);
        QVERIFY(!d.VBChooseFont(font, dc, nullptr, colour, 0, 0, flags));
        QCOMPARE(font.name, QStringLiteral("Courier"));
        QCOMPARE(font.size, 12.0);
        QFont chosen("DejaVu Sans Mono");
        chosen.setPointSize(14);
        chosen.setBold(true);
        chosen.setItalic(true);
        prompter->queueFont(chosen);
        QVERIFY(d.VBChooseFont(font, dc, nullptr, colour, 0, 0, flags));
        QCOMPARE(font.name, QStringLiteral("DejaVu Sans Mono"));
        QCOMPARE(font.size, 14.0);
        QVERIFY(font.bold);
        QVERIFY(font.italic);
        QVERIFY(!font.underline);
    }

    void fileTitle()
    {
        QCOMPARE(cCommonDialog::VBGetFileTitle("/home/u/My Site/index.html"), QStringLiteral("index.html"));
        QCOMPARE(cCommonDialog::VBGetFileTitle(""), QString());
    }
};

QTEST_MAIN(TestCommonDialog)
#include "tst_commondialog.moc"
