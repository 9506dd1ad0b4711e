// Keystroke latency in a 10 MB document, including the caption, toolbar and status refresh.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

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
    const int keys = argc > 1 ? atoi(argv[1]) : 1000;
    Bench::ApplyQuietSettings();
    const QString path = Bench::PageFile(home, 10);
    SetCommandLineOverride('"' + path + '"');
    Main();
    frmMain* m = MainWindow();
    CodeMax1* e = m->ActiveDocument()->Editor();
    // Type in the middle of the page.
    e->SetCaretPos(e->LineCount() / 2, 4);
    e->setFocus();
    QApplication::processEvents();
    QVector<double> times;
    const char* text = "<B>typing</B> ";
    for (int i = 0; i < keys; ++i) {
        const char c = text[i % 14];
        QElapsedTimer t;
        t.start();
        QTest::keyClick(e, c);
        times << t.nsecsElapsed() / 1e6;
    }
    std::printf("keystroke in a 10 MB document with refresh (median of %d): %.3f ms\n", keys, Bench::Median(times));
    std::sort(times.begin(), times.end());
    std::printf("keystroke 99th percentile: %.3f ms\n", times[int(times.size() * 0.99)]);
    std::fflush(stdout);
    // The typed text is thrown away: end without the save question.
    std::_Exit(0);
}
