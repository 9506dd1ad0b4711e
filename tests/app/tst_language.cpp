// The interface in the desktop's language: under a German locale the menus, the questions, our
// dialogs and Qt's own dialog buttons read German, and untitled documents go by their German name.
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "TestEnv.h"
#include "TestFiles.h"
#include "base/Translations.h"
#include "document/CodeMax1.h"

class TestLanguage : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

private slots:
    // What main() does after making the application. CTest runs this program under a German locale
    // (tests/CMakeLists.txt): Qt's libraries read it from the environment as they load.
    void initTestCase()
    {
        if (!QLocale().name().startsWith("de"))
            QSKIP("needs LANG, LC_ALL and LANGUAGE set to German");
        QCOMPARE(InstallTranslations(), QStringLiteral("de"));
    }
    void init() { PrepareTestProfile(); prompter = ScriptedPrompter::install(); }
    void cleanup() { CloseMain(prompter); QCOMPARE(prompter->unexpected, QStringList()); }

    void menusAndQuestions()
    {
        frmMain* m = StartMain();
        QCOMPARE(m->Menu("mnuFile")->title(), QStringLiteral("&Datei"));
        QCOMPARE(m->Action("mnuFileSaveAs")->text(), QStringLiteral("Speichern &unter..."));
        frmDocument* doc = m->ActiveDocument();
        QCOMPARE(doc->Caption(), QStringLiteral("Dokument 1"));

        prompter->queueMsgBox(MsgAnswer::OK);
        m->Action("mnuToolsSpellCheck")->trigger();   // nothing to check in an empty page
        QTest::keyClicks(doc->Editor(), "x");
        prompter->queueMsgBox(MsgAnswer::No);
        m->Action("mnuFileClose")->trigger();
        QCOMPARE(prompter->messages(), (QStringList{QStringLiteral("Es gibt keinen Text zu prüfen."),
                                                    QStringLiteral("Änderungen an „Dokument 1“ speichern?")}));
    }

    // Our own dialogs, and Qt's standard buttons from Qt's translation.
    void filesAndDialogs()
    {
        QTemporaryDir dir;
        const QString path = WriteTestFile(dir, "seite.html", "<P>Hallo</P>");
        frmMain* m = StartMain();
        // Opening a file replaces the untouched "Dokument 1".
        prompter->queueFile({true, {path}, 0});
        m->Action("mnuFileOpen")->trigger();
        QCOMPARE(m->Documents().size(), 1);
        QCOMPARE(m->ActiveDocument()->Caption(), QStringLiteral("seite.html"));

        QStringList shown;
        prompter->queueDialog([&](QDialog* d) {
            shown << d->windowTitle() << d->findChild<QPushButton*>("cmdCancel")->text();
            return int(QDialog::Rejected);
        });
        m->Action("mnuToolsOptions")->trigger();
        prompter->queueDialog([&](QDialog* d) {
            shown << d->windowTitle()
                  << d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->text();
            return int(QDialog::Rejected);
        });
        m->Action("mnuFileProperties")->trigger();
        QCOMPARE(shown, (QStringList{"Einstellungen", "Abbrechen", "Eigenschaften von seite.html", "Schließen"}));
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
