// Start-up time: from process start to the main window shown with "Document 1",
// with a fresh profile each run. Run under a display (xvfb-run).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchUtil.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString qrn = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/qrn");
    const int runs = argc > 2 ? atoi(argv[2]) : 7;
    QVector<double> times;
    double rss = 0;
    QString first;
    // "wizard": a fresh profile, where the new-page wizard opens before the main window;
    // otherwise the wizard is switched off and the main window with Document 1 is timed.
    const bool wizard = argc > 3 && QByteArray(argv[3]) == "wizard";
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_DATA_HOME", home.filePath("data"));
        env.insert("QRN_EXIT_WHEN_SHOWN", "1");
        if (!wizard) {
            QDir().mkpath(home.filePath("config/QRN"));
            QFile conf(home.filePath("config/QRN/QRN.conf"));
            conf.open(QIODevice::WriteOnly);
            conf.write("[Config]\nNewDoc=0\n");
        }
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(qrn, {});
        if (!p.waitForReadyRead(20000)) {
            std::fprintf(stderr, "qrn did not report its window\n");
            return 1;
        }
        const double ms = t.nsecsElapsed() / 1e6;
        const QByteArray line = p.readAllStandardOutput();
        p.waitForFinished(10000);
        if (!line.startsWith("shown")) {
            std::fprintf(stderr, "unexpected output: %s\n", line.constData());
            return 1;
        }
        const QList<QByteArray> parts = line.trimmed().split(' ');
        rss = std::max(rss, parts.value(1).toDouble());
        first = QString::fromLatin1(parts.value(2));
        times << ms;
    }
    std::printf("start-up to %s shown (median of %d, %s): %.0f ms\n",
                first == "frmNew" ? "new-page wizard" : "main window with Document 1", runs,
                wizard ? "fresh profile" : "fresh profile, wizard off", Bench::Median(times));
    std::printf("resident memory with one empty document: %.0f MB\n", rss);
    return 0;
}
