#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

#include "TestEnv.h"
#include "options/frmAbout.h"

namespace {
QString text(QWidget* w, const char* name)
{
    auto* label = w->findChild<QLabel*>(name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
}

void moveOver(QWidget* w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}
} // namespace

class TestAbout : public QObject {
    Q_OBJECT
    ScriptedPrompter* prompter = nullptr;

private slots:
    void init()
    {
        PrepareTestProfile();
        prompter = ScriptedPrompter::install();
    }
    void cleanup()
    {
        CloseMain(prompter);
        QVERIFY2(prompter->unexpected.isEmpty(), qPrintable(prompter->unexpected.join(" | ")));
    }

    void texts()
    {
        frmAbout d;
        QCOMPARE(text(&d, "lblA0"), QStringLiteral("Quorlen"));
        QCOMPARE(text(&d, "lblA1"), QStringLiteral("Version 1.2.0 - "));
        QVERIFY(!text(&d, "lblA2").isEmpty());
        QCOMPARE(text(&d, "lblDescription"),
                 QStringLiteral("A lightweight, easy-to-use HTML editor, the latest version of which is always "
                                "available from:"));
        QCOMPARE(text(&d, "Label10"), frmAbout::ProductPage());
        QCOMPARE(text(&d, "Label11"), QStringLiteral("Donate"));
        QCOMPARE(d.findChild<QLabel*>("Label11")->toolTip(), QStringLiteral("Donate fast, free and securely via PayPal"));
        QCOMPARE(d.findChild<QPushButton*>("cmdSysInfo")->text(), QStringLiteral("&System Info..."));
        QVERIFY(!d.findChild<QLabel*>("Image1")->pixmap().isNull());
    }

    void systemInfoShowsMessageOnly()
    {
        frmAbout d;
        prompter->queueMsgBox(MsgAnswer::OK);
        d.findChild<QPushButton*>("cmdSysInfo")->click();
        QCOMPARE(prompter->asked.size(), 1);
        const AskedQuestion q = prompter->asked.first();
        QCOMPARE(q.kind, QStringLiteral("MsgBox"));
        QCOMPARE(q.text, QStringLiteral("System information is unavailable at this time."));
        QCOMPARE(q.icon, int(MsgIcon::Exclamation));
        QCOMPARE(q.buttons, int(MsgButtons::OKOnly));
        QCOMPARE(q.title, QStringLiteral("QRN"));
        QCOMPARE(d.result(), 0);
    }

    void linkHoverColours_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("product page") << 0;
        QTest::newRow("donate") << 1;
    }
    void linkHoverColours()
    {
        QFETCH(int, index);
        frmAbout d;
        d.show();
        QLabel* link = d.findChild<QLabel*>(QStringLiteral("Label1%1").arg(index));
        QCOMPARE(d.LinkColour(index), frmAbout::LinkNormal);
        moveOver(link);
        QCOMPARE(d.LinkColour(index), 255);
        QVERIFY(link->styleSheet().contains("#ff0000"));
        QCOMPARE(d.LinkColour(1 - index), frmAbout::LinkNormal);
        // Onto the window background, and over a plain label: blue again.
        moveOver(&d);
        QCOMPARE(d.LinkColour(index), 16711680);
        QVERIFY(link->styleSheet().contains("#0000ff"));
        moveOver(link);
        moveOver(d.findChild<QLabel*>("lblDescription"));
        QCOMPARE(d.LinkColour(index), frmAbout::LinkNormal);
    }

    void helpAboutOpensBox()
    {
        frmMain* m = StartMain();
        QString seen;
        prompter->queueDialog([&seen](QDialog* d) {
            seen = d->objectName() + "|" + d->windowTitle();
            d->findChild<QPushButton*>("cmdOK")->click();
            return d->result();
        });
        QCOMPARE(m->Action("mnuHelpAbout")->shortcut(), QKeySequence(Qt::Key_F1));
        m->Action("mnuHelpAbout")->trigger();
        QCOMPARE(seen, QStringLiteral("frmAbout|About..."));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
