// Opening a large page: time until the text is shown and the first screen coloured,
// the longest stall of the event loop, and peak memory.
//   open_bench FILE RUNS   prints OPEN (median ms), STALL (ms) and PEAK (MB)
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "BenchUtil.h"
#include "app/Main.h"
#include "app/frmMain.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"

int main(int argc, char** argv)
{
    QTemporaryDir home;
    Bench::UsePrivateProfile(home);
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? atoi(argv[2]) : 5;
    Bench::ApplyQuietSettings();

    QVector<double> times;
    // The longest time the event loop went without turning, measured by a 10 ms timer.
    double longestStall = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestStall = std::max(longestStall, sinceTick.nsecsElapsed() / 1e6);
        sinceTick.restart();
    });
    for (int i = 0; i < runs; ++i) {
        SetCommandLineOverride(QString());
        Main();
        frmMain* m = MainWindow();
        QApplication::processEvents();
        QElapsedTimer t;
        t.start();
        sinceTick.start();
        ticker.start(10);
        m->CreateDocument();
        m->fctnLoadDocument("big.html", path);
        // The first paint colours the visible lines.
        m->ActiveDocument()->Editor()->repaint();
        QApplication::processEvents();
        times << t.nsecsElapsed() / 1e6;
        ticker.stop();
        for (frmDocument* d : m->Documents())
            d->Editor()->SetModified(false);
        m->close();
        QApplication::processEvents();
    }
    std::printf("OPEN %.1f\nSTALL %.0f\nPEAK %.0f\n", Bench::Median(times), longestStall, Bench::PeakMB());
    return 0;
}
