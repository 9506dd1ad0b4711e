// Many documents: the time to open N new documents one after another, and the
// memory each empty document takes.
//   documents_bench N   prints DOCS (ms for all N) and PERDOC (KB of resident memory each)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchUtil.h"
#include "app/Main.h"
#include "app/frmMain.h"

namespace {
double residentKB()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    f.open(QIODevice::ReadOnly);
    return f.readAll().split(' ').value(1).toDouble() * 4;
}
} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    Bench::UsePrivateProfile(home);
    QApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 200;
    Bench::ApplyQuietSettings();
    SetCommandLineOverride(QString());
    Main();
    frmMain* m = MainWindow();
    QApplication::processEvents();
    const double before = residentKB();
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < count; ++i) {
        m->fctnNewDoc();
        QApplication::processEvents();
    }
    const double ms = t.nsecsElapsed() / 1e6;
    std::printf("DOCS %.0f\nPERDOC %.0f\n", ms, (residentKB() - before) / count);
    std::fflush(stdout);
    std::_Exit(0);
}
