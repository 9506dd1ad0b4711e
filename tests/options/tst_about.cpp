#include <QLabel>
#include <QtTest>

#include "TestEnv.h"
#include "options/frmAbout.h"

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    // The version line comes from the program's version and System Info only warns;
    // a link turns red under the mouse and blue again off it, the other link untouched.
    void versionSystemInfoAndLinks()
    {
        ScriptedPrompter* prompter = ScriptedPrompter::install();
        prompter->queueMsgBox(MsgAnswer::OK);
        frmAbout d;
        d.show();
        QCOMPARE(d.findChild<QLabel*>("lblA1")->text(), QStringLiteral("Version 1.2.0 - "));
        QTest::mouseClick(d.findChild<QWidget*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(prompter->messages(), QStringList{"System information is unavailable at this time."});
        QCOMPARE(prompter->asked.last().icon, int(MsgIcon::Exclamation));
        QVERIFY(d.isVisible() && d.result() == 0);

        auto moveOver = [](QWidget* w) {
            QMouseEvent e(QEvent::MouseMove, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::NoButton, {}, {});
            QCoreApplication::sendEvent(w, &e);
        };
        for (int index : {0, 1}) {
            QLabel* link = d.findChild<QLabel*>(QStringLiteral("Label1%1").arg(index));
            moveOver(link);
            QVERIFY(link->styleSheet().contains("#ff0000"));
            QCOMPARE(d.LinkColour(1 - index), frmAbout::LinkNormal);
            moveOver(index ? static_cast<QWidget*>(&d) : d.findChild<QLabel*>("lblDescription"));
            QVERIFY(link->styleSheet().contains("#0000ff"));
        }
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
