#include <QtTest>

#include "TestFiles.h"

// The files the desktop reads about the program name its command, icon and types, and pass their validators.
class TestDesktopFiles : public QObject {
    Q_OBJECT
private slots:
    void validators_data()
    {
        QTest::addColumn<QStringList>("validator");   // the row's name is the file's ending
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("desktop") << QStringList{"desktop-file-validate"}
            << QByteArrayList{"\nExec=qrn %f\n", "\nIcon=org.quorlen.Quorlen\n", "text/html;", "text/css;",
                              "text/javascript;", "text/plain;", "application/x-asp;"};
        QTest::newRow("metainfo.xml") << QStringList{"appstreamcli", "validate", "--no-net"} << QByteArrayList();
    }
    void validators()
    {
        QFETCH(QStringList, validator);
        QFETCH(QByteArrayList, lines);
        QString file = QString(QRN_SOURCE_DIR "/resources/desktop/org.quorlen.Quorlen.") + QTest::currentDataTag();
        for (const QByteArray& line : lines)
            QVERIFY2(ReadTestFile(file).contains(line), line.constData());
        const int rc = QProcess::execute(validator.first(), validator.mid(1) << file);
        if (rc == -2)
            QSKIP("validator not installed");
        QCOMPARE(rc, 0);   // its complaints are in the output above
    }
};

QTEST_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
