#pragma once
// Shared bits of the timing programs: sample pages and medians.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "base/Settings.h"
#include "base/BrowserView.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QVector>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace Bench {
// A realistic page of about `bytes` bytes: markup, attributes, entities, script, comments.
inline QByteArray SamplePage(qint64 bytes)
{
    const QByteArray block =
        "<TABLE BORDER=\"0\" CELLPADDING=\"4\" WIDTH=\"80%\">\r\n"
        "  <TR>\r\n    <TD CLASS=\"name\">Sourdough &amp; rye</TD>\r\n    <TD>  3.50  </TD>\r\n  </TR>\r\n"
        "</TABLE>\r\n<!-- price list -->\r\n<P>Open   daily from 7&nbsp;am.   Fresh bread   every morning.</P>\r\n"
        "<SCRIPT LANGUAGE=\"JavaScript\">\r\nvar total = 0; for (var i = 0; i < 10; i++) { total += i; }\r\n</SCRIPT>\r\n"
        "    \r\n \r\n";
    QByteArray out = "<HTML>\r\n<HEAD><TITLE>Sample</TITLE></HEAD>\r\n<BODY>\r\n";
    out.reserve(bytes + block.size());
    while (out.size() < bytes)
        out += block;
    out += "</BODY>\r\n</HTML>\r\n";
    return out;
}

// The same page as one line, as minified pages are.
inline QByteArray OneLinePage(qint64 bytes)
{
    QByteArray page = SamplePage(bytes);
    page.replace("\r\n", " ");
    return page;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A sample page of megabytes MB written into home; its path, empty when it could not be written.
inline QString PageFile(const QTemporaryDir& home, double megabytes)
{
    const QString path = home.filePath("page.html");
    return WriteFile(path, SamplePage(qint64(megabytes * 1024 * 1024))) ? path : QString();
}

inline double Median(QVector<double> v)
{
    if (v.isEmpty())
        return 0;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// Where both typing programs type: in the line holding the middle of the text,
// four characters in, or at the middle itself when that line is long.
inline qsizetype TypingPosition(const QByteArray& text)
{
    const qsizetype middle = text.size() / 2;
    const qsizetype start = text.lastIndexOf('\n', middle) + 1;
    const qsizetype end = text.indexOf('\n', middle);
    return (end < 0 ? text.size() : end) - start > 1000 ? middle : start + 4;
}

// Types keys into the focused widget. A key's own handling (where the caption,
// toolbar and status refresh of the program happen) is timed apart from the
// paint it then causes, which is the control's. Prints medians and 99th
// percentiles in milliseconds: KEY, KEY99, PAINTED, PAINTED99.
// With pauseEvery, after that many keys the events run untimed for pauseMs, as when
// the typist stops for a moment; the keys after a pause meet what it set off.
inline QByteArray TypeKeys(QWidget* w, int keys, int pauseEvery = 0, int pauseMs = 0)
{
    const char* text = "<B>typing</B> ";
    QVector<double> key, painted;
    for (int i = 0; i < keys; ++i) {
        if (pauseEvery && i && i % pauseEvery == 0) {
            QElapsedTimer pause;
            pause.start();
            while (pause.elapsed() < pauseMs)
                QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        QElapsedTimer t;
        t.start();
        QTest::keyClick(w, text[i % 14]);
        key << t.nsecsElapsed() / 1e6;
        QApplication::processEvents();
        painted << t.nsecsElapsed() / 1e6;
    }
    auto p99 = [](QVector<double> v) {
        std::sort(v.begin(), v.end());
        return QByteArray::number(v[int(v.size() * 0.99)], 'f', 3);
    };
    return "KEY " + QByteArray::number(Median(key), 'f', 3) + "\nKEY99 " + p99(key) + "\nPAINTED " +
           QByteArray::number(Median(painted), 'f', 3) + "\nPAINTED99 " + p99(painted) + "\n";
}

// A private profile without splash, wizard or hand-over; call before the application exists,
// then ApplyQuietSettings once it does.
inline void UsePrivateProfile(const QTemporaryDir& home)
{
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    // Run from the build tree, away from the browser module they were built with.
    BrowserModule::SetFolder(QStringLiteral(QRN_MODULE_DIR));
}

inline void ApplyQuietSettings()
{
    SaveSetting("Config", "Splash", "0");
    SaveSetting("Config", "NewDoc", "0");
    SaveSetting("Config", "Instance", "0");
}

// Peak resident memory of this process so far, in MB.
inline double PeakMB()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;
}
} // namespace Bench
