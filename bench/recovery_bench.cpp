// Crash recovery of a 50 MB document: the longest stall of the interface while
// its text is copied and written, and the time until it is safe on disk.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "BenchUtil.h"
#include "app/Main.h"
#include "app/frmMain.h"
#include "document/CodeMax1.h"
#include "document/Recovery.h"
#include "document/frmDocument.h"

int main(int argc, char** argv)
{
    QTemporaryDir home;
    Bench::UsePrivateProfile(home);
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? atoi(argv[1]) : 50;
    const int runs = argc > 2 ? atoi(argv[2]) : 7;
    Bench::ApplyQuietSettings();
    const QString path = Bench::PageFile(home, megabytes);
    if (path.isEmpty())
        return 1;
    SetCommandLineOverride('"' + path + '"');
    Main();
    frmDocument* doc = MainWindow()->ActiveDocument();
    CodeMax1* e = doc->Editor();
    Recovery::Writer::SetIdleDelay(10);
    e->setFocus();
    QVector<double> stalls, safe;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(doc->RecoveryWriter()->FilePath());
        QElapsedTimer clock;
        qint64 last = 0, worst = 0;
        QTimer tick;
        tick.setInterval(1);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 now = clock.nsecsElapsed();
            worst = std::max(worst, now - last);
            last = now;
        });
        QTest::keyClick(e, 'x');
        clock.start();
        tick.start();
        while (!QFile::exists(doc->RecoveryWriter()->FilePath()) && clock.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        safe << clock.nsecsElapsed() / 1e6;
        stalls << worst / 1e6;
    }
    std::printf("recovery of a %d MB document: longest stall (median of %d): %.1f ms\n", megabytes, runs,
                Bench::Median(stalls));
    std::printf("recovery of a %d MB document: written after the pause in %.0f ms\n", megabytes, Bench::Median(safe));
    std::fflush(stdout);
    std::_Exit(0);
}
