#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

// The files the desktop reads about the program pass their validators.
class TestDesktopFiles : public QObject {
    Q_OBJECT
private slots:
    void validators_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        const QString dir = QStringLiteral(QRN_SOURCE_DIR "/resources/desktop/");
        QTest::newRow("desktop entry") << "desktop-file-validate" << QStringList{dir + "org.quorlen.Quorlen.desktop"};
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{"validate", "--no-net", dir + "org.quorlen.Quorlen.metainfo.xml"};
    }
    void validators()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP("validator not installed");
        QProcess p;
        p.start(tool, arguments);
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardOutput() + p.readAllStandardError());
    }

    void entryNamesTheProgramAndItsTypes()
    {
        QFile f(QStringLiteral(QRN_SOURCE_DIR "/resources/desktop/org.quorlen.Quorlen.desktop"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray entry = f.readAll();
        QVERIFY(entry.contains("\nExec=qrn %f\n"));
        QVERIFY(entry.contains("\nIcon=org.quorlen.Quorlen\n"));
        for (const char* type : {"text/html", "text/css", "text/javascript", "text/plain", "application/x-asp"})
            QVERIFY2(entry.contains(type), type);
    }
};

QTEST_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
