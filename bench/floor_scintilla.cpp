// Floors for opening and typing: a bare QScintilla widget with the HTML lexer,
// doing only what the control itself must. Same bytes, same measuring as
// open_bench and typing_bench.
//   floor_scintilla open FILE RUNS
//   floor_scintilla type FILE KEYS WIDTH HEIGHT
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <Qsci/qsciscintilla.h>
#include <Qsci/qscilexerhtml.h>
#include <cstdio>
#include <cstdlib>

#include "BenchUtil.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 4)
        return 2;
    const QByteArray mode = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);
    const int count = atoi(argv[3]);
    if (mode == "open") {
        QVector<double> times;
        for (int i = 0; i < count; ++i) {
            QsciScintilla e;
            e.setUtf8(true);
            e.setLexer(new QsciLexerHTML(&e));
            e.resize(760, 480);
            e.show();
            QApplication::processEvents();
            QElapsedTimer t;
            t.start();
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                return 1;
            const QByteArray bytes = f.readAll();
            e.SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.constData());
            e.repaint();
            QApplication::processEvents();
            times << t.nsecsElapsed() / 1e6;
        }
        std::printf("OPEN %.1f\n", Bench::Median(times));
        std::printf("PEAK %.0f\n", Bench::PeakMB());
        return 0;
    }
    // type: a key in the middle of the text, then the paint it causes.
    QsciScintilla e;
    e.setUtf8(true);
    e.setLexer(new QsciLexerHTML(&e));
    e.resize(argc > 5 ? atoi(argv[4]) : 760, argc > 5 ? atoi(argv[5]) : 480);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = f.readAll();
    e.SendScintilla(QsciScintillaBase::SCI_SETTEXT, bytes.constData());
    e.show();
    e.setFocus();
    e.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, long(Bench::TypingPosition(bytes)));
    QApplication::processEvents();
    std::printf("%s", Bench::TypeKeys(&e, count).constData());
    std::fflush(stdout);
    std::_Exit(0);
}
