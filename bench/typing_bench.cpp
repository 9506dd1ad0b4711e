// Keystroke latency, including the caption, toolbar and status refresh and the
// paint the key causes. typing_bench FILE KEYS: types into the page in FILE;
// prints SIZE (the edit control's, for the floor) and what Bench::TypeKeys prints.
// typing_bench FILE KEYS live: the same with the live preview open, pausing every
// 50 keys for 400 ms, so that the page is rewritten and reloaded while typing goes on.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "BenchUtil.h"
#include "app/Main.h"
#include "app/frmMain.h"
#include "document/CodeMax1.h"
#include "document/frmDocument.h"
#include "tools/LivePreview.h"

int main(int argc, char** argv)
{
    QTemporaryDir home;
    Bench::UsePrivateProfile(home);
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int keys = argc > 2 ? atoi(argv[2]) : 1000;
    Bench::ApplyQuietSettings();
    SetCommandLineOverride('"' + path + '"');
    Main();
    const bool live = argc > 3 && QByteArray(argv[3]) == "live";
    CodeMax1* e = MainWindow()->ActiveDocument()->Editor();
    if (live) {
        if (!LivePreview::SetOpen(MainWindow(), MainWindow()->ActiveDocument(), true))
            return 3;
        QElapsedTimer shown;   // the first page in
        shown.start();
        while (shown.elapsed() < 3000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    e->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, long(Bench::TypingPosition(e->Utf8Text())));
    e->setFocus();
    QApplication::processEvents();
    std::printf("SIZE %d %d\n%s", e->width(), e->height(), Bench::TypeKeys(e, keys, live ? 50 : 0, 400).constData());
    std::fflush(stdout);
    // The typed text is thrown away: end without the save question.
    std::_Exit(0);
}
