// Basic HTML compression of a 10 MB page: the text transformation alone and
// the whole command on an edit control (one undo step included).
// Run: QT_QPA_PLATFORM=offscreen build/bench/tune_bench
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "document/CodeMax1.h"
#include "tools/Tune.h"

namespace {
QString makePage(qsizetype target)
{
    const QString row = QStringLiteral(
        "  <tr >\r\n    <td  class = \"cell\"  >Item   text   with   spaces</td >\r\n"
        "    < td width = 5>x</td>\r\n  </tr>\r\n \r\n\r\n");
    QString page = QStringLiteral("<html>\r\n<body>\r\n<table>\r\n");
    page.reserve(target + row.size() * 2);
    while (page.size() < target)
        page += row;
    page += QStringLiteral("</table>\r\n</body>\r\n</html>\r\n");
    return page;
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString page = makePage(10 * 1024 * 1024);
    std::printf("page size: %lld characters\n", static_cast<long long>(page.size()));

    QElapsedTimer t;
    t.start();
    const QString tuned = TuneText(page);
    std::printf("TuneText 10 MB: %lld ms (%lld -> %lld characters)\n", static_cast<long long>(t.elapsed()),
                static_cast<long long>(page.size()), static_cast<long long>(tuned.size()));

    CodeMax1 editor;
    editor.SetText(page);
    t.restart();
    const TuneResult r = TuneEditor(&editor);
    std::printf("TuneEditor 10 MB (edit control, one undo step): %lld ms (%s)\n", static_cast<long long>(t.elapsed()),
                qPrintable(TuneReport(r)));
    t.restart();
    editor.Undo();
    std::printf("Undo of the compression: %lld ms (text restored: %s)\n", static_cast<long long>(t.elapsed()),
                editor.Text() == page ? "yes" : "no");
    return 0;
}
