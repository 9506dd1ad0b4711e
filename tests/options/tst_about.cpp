#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

#include "TestEnv.h"
#include "options/frmAbout.h"

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepareTestProfile(); }

    // The box's texts; System Info only shows a message.
    void textsAndSystemInfo()
    {
        ScriptedPrompter* prompter = ScriptedPrompter::install();
        frmAbout d;
        QStringList texts{d.windowTitle()};
        for (const char* n : {"lblA0", "lblA1", "lblDescription", "Label10", "Label11"})
            texts << d.findChild<QLabel*>(n)->text();
        QCOMPARE(texts, (QStringList{"About...", "Quorlen", "Version 1.2.0 - ",
                                     "A lightweight, easy-to-use HTML editor, the latest version of which is always "
                                     "available from:", frmAbout::ProductPage(), "Donate"}));
        prompter->queueMsgBox(MsgAnswer::OK);
        d.findChild<QPushButton*>("cmdSysInfo")->click();
        QCOMPARE(prompter->messages(), QStringList{"System information is unavailable at this time."});
        QCOMPARE(prompter->asked.last().icon, int(MsgIcon::Exclamation));
        QCOMPARE(d.result(), 0);
    }

    // A link turns red under the mouse and blue again off it, the other link untouched.
    void linkHoverColours()
    {
        frmAbout d;
        d.show();
        auto moveOver = [](QWidget* w) {
            QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(w, &move);
        };
        for (int index : {0, 1}) {
            QLabel* link = d.findChild<QLabel*>(QStringLiteral("Label1%1").arg(index));
            moveOver(link);
            QCOMPARE(d.LinkColour(index), 255);
            QVERIFY(link->styleSheet().contains("#ff0000"));
            QCOMPARE(d.LinkColour(1 - index), frmAbout::LinkNormal);
            moveOver(index ? static_cast<QWidget*>(&d) : d.findChild<QLabel*>("lblDescription"));
            QCOMPARE(d.LinkColour(index), frmAbout::LinkNormal);
            QVERIFY(link->styleSheet().contains("#0000ff"));
        }
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
