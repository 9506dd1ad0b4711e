// Start-up time: from process start until the first window is on screen, each run
// with a fresh profile. The programs named take turns, so a floor program is
// measured under the same conditions. Run under a display (xvfb-run).
//   startup_bench RUNS PROGRAM... [--wizard]
// prints per program: START <program> <median ms> <resident MB> <window>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchUtil.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    // On a fresh profile the new-page wizard comes before the main window; without
    // --wizard it is switched off and the main window with Document 1 is timed.
    const bool wizard = args.removeAll(QStringLiteral("--wizard")) > 0;
    if (args.size() < 2)
        return 2;
    const int runs = args.takeFirst().toInt();
    QMap<QString, QVector<double>> times;
    QMap<QString, double> rss;
    QMap<QString, QString> shown;
    for (int i = 0; i < runs; ++i) {
        for (const QString& program : args) {
            QTemporaryDir home;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("XDG_CONFIG_HOME", home.filePath("config"));
            env.insert("XDG_DATA_HOME", home.filePath("data"));
            env.insert("QRN_EXIT_WHEN_SHOWN", "1");
            if (!wizard) {
                QDir().mkpath(home.filePath("config/QRN"));
                Bench::WriteFile(home.filePath("config/QRN/QRN.conf"), "[Config]\nNewDoc=0\n");
            }
            QProcess p;
            p.setProcessEnvironment(env);
            QElapsedTimer t;
            t.start();
            p.start(program, {});
            if (!p.waitForReadyRead(20000)) {
                std::fprintf(stderr, "%s did not report its window\n", qPrintable(program));
                return 1;
            }
            const double ms = t.nsecsElapsed() / 1e6;
            const QByteArray line = p.readAllStandardOutput();
            p.waitForFinished(10000);
            const QList<QByteArray> parts = line.trimmed().split(' ');
            if (parts.value(0) != "shown") {
                std::fprintf(stderr, "unexpected output: %s\n", line.constData());
                return 1;
            }
            times[program] << ms;
            rss[program] = std::max(rss[program], parts.value(1).toDouble());
            shown[program] = QString::fromLatin1(parts.value(2));
        }
    }
    for (const QString& program : args)
        std::printf("START %s %.1f %.0f %s\n", qPrintable(QFileInfo(program).fileName()), Bench::Median(times[program]),
                    rss[program], qPrintable(shown[program]));
    return 0;
}
