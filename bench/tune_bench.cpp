// Basic HTML compression of a 10 MB page: the text pass alone, the whole command on
// an edit control (one Undo step, bookmarks kept), and its floor: the same result
// put into the same control by one bare SCI_REPLACETARGET.
//   tune_bench [RUNS]   prints PASS (MB/s), COMMAND and REPLACE (median ms), UNDO (ms)
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchUtil.h"
#include "document/CodeMax1.h"
#include "tools/Tune.h"

int main(int argc, char* argv[])
{
    QTemporaryDir home;
    Bench::UsePrivateProfile(home);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? atoi(argv[1]) : 7;
    const QByteArray page = Bench::SamplePage(10 * 1024 * 1024);
    QVector<double> pass, command, replace;
    QByteArray tuned;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        tuned = TuneUtf8(page);
        pass << page.size() / (t.nsecsElapsed() / 1e9) / 1e6;
    }
    CodeMax1 editor;
    editor.SetUtf8Text(page);
    double undo = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        TuneEditor(&editor);
        command << t.nsecsElapsed() / 1e6;
        t.restart();
        editor.Undo();
        undo = t.nsecsElapsed() / 1e6;
        t.restart();
        editor.SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
        editor.SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, 0L, editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
        editor.SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<unsigned long>(tuned.size()), tuned.constData());
        editor.SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
        replace << t.nsecsElapsed() / 1e6;
        editor.Undo();
    }
    if (editor.Utf8Text() != page)
        return 1;
    std::printf("PASS %.0f\nCOMMAND %.1f\nREPLACE %.1f\nUNDO %.1f\n", Bench::Median(pass), Bench::Median(command),
                Bench::Median(replace), undo);
    return 0;
}
