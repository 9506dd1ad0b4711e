// Opening large pages: time until the text is shown and the first screen coloured,
// peak memory, and the longest stall of the event loop.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "BenchUtil.h"
#include "app/Main.h"
#include "base/Settings.h"
#include "app/frmMain.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"

int main(int argc, char** argv)
{
    QTemporaryDir home;
    Bench::UsePrivateProfile(home);
    QApplication app(argc, argv);
    const int mb = argc > 1 ? atoi(argv[1]) : 50;
    const int runs = argc > 2 ? atoi(argv[2]) : 5;
    Bench::ApplyQuietSettings();
    const QString path = Bench::PageFile(home, mb);
    if (path.isEmpty())
        return 1;

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
    std::printf("open %d MB page, text shown and first screen coloured (median of %d): %.0f ms\n", mb, runs,
                Bench::Median(times));
    std::printf("longest stall of the interface while opening the %d MB page: %.0f ms\n", mb, longestStall);
    std::printf("peak memory after opening the %d MB page %d times: %.0f MB\n", mb, runs, Bench::PeakMB());
    return 0;
}
