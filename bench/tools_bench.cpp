// How long the tools take on a 1 MB page: an HTML Tidy run, the preview copy,
// and a spell check of the page's text (every word looked up).
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchUtil.h"
#include "document/CodeMax1.h"
#include "tools/SpellCheck.h"
#include "tools/Tidy.h"
#include "tools/ToolFiles.h"

int main(int argc, char** argv)
{
    QTemporaryDir home;
    Bench::UsePrivateProfile(home);
    QApplication app(argc, argv);
    const QByteArray page = Bench::SamplePage(1024 * 1024);
    CodeMax1 editor;
    editor.SetUtf8Text(page);

    // HTML Tidy: the check run on the page's copy.
    QTemporaryDir work;
    QElapsedTimer t;
    t.start();
    QString error;
    ToolFiles::WriteEditorCopy(&editor, work.filePath("~tidy_qrn.html"), &error);
    const Tidy::Outcome outcome = Tidy::Run(Tidy::Arguments(Tidy::RunKind::Check, work.path()), nullptr);
    std::printf("HTML Tidy check of a 1 MB page: %lld ms%s\n", static_cast<long long>(t.elapsed()),
                outcome.ok ? "" : " (tidy did not run)");

    // Preview: the copy the browser shows.
    t.restart();
    ToolFiles::WriteEditorCopy(&editor, work.filePath("~preview_qrn.html"), &error);
    std::printf("preview copy of a 1 MB page written: %lld ms\n", static_cast<long long>(t.elapsed()));

    // Spell check: every word of the readable text looked up.
    SpellDictionary dictionary;
    if (!dictionary.Load(SpellDictionary::DefaultName(), &error)) {
        std::printf("spell check of a 1 MB page: no dictionary (%s)\n", qPrintable(error));
        return 0;
    }
    t.restart();
    SpellSession session(editor.Text(), &dictionary);
    int misspelled = 0;
    while (session.Next()) {
        ++misspelled;
        session.IgnoreAll();
    }
    std::printf("spell check of a 1 MB page (%d distinct unknown words): %lld ms\n", misspelled,
                static_cast<long long>(t.elapsed()));
    return 0;
}
