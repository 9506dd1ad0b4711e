// Writes the benchmarks' sample page, so that Quorlen and its floors read the same bytes.
//   make_page lines|oneline MEGABYTES FILE
#include <cstdio>
#include <cstdlib>

#include "BenchUtil.h"

int main(int argc, char* argv[])
{
    if (argc != 4)
        return 2;
    const qint64 bytes = qint64(atof(argv[2]) * 1024 * 1024);
    const QByteArray page = QByteArray(argv[1]) == "oneline" ? Bench::OneLinePage(bytes) : Bench::SamplePage(bytes);
    return Bench::WriteFile(QString::fromLocal8Bit(argv[3]), page) ? 0 : 1;
}
