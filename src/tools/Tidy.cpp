// HTML Tidy: its command line, the run and its result.
#include "tools/Tidy.h"

#include "base/Prompter.h"
#include "base/Settings.h"
#include "document/Workspace.h"
#include "document/CodeMax1.h"
#include "document/FileText.h"
#include "document/frmDocument.h"
#include "tools/ToolFiles.h"
#include "tools/frmTidy.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

namespace Tidy {
namespace {
QString g_programOverride;
int g_timeLimit = 60000;
QString g_lastFolder;

QString tr(const char* text)
{
    return QCoreApplication::translate("Tidy", text);
}

bool switchOn(int index)
{
    return Setting::Switch(Key::Tidy(index));
}
} // namespace

QString OptionText()
{
    QString o;
    if (switchOn(0))
        o += QStringLiteral(" -i");
    // Tidy 5 reads "-o" as "write output to the next file"; "-omit" is the
    // switch that omits optional tags.
    if (switchOn(1))
        o += QStringLiteral(" -omit");
    if (switchOn(3))
        o += QStringLiteral(" -c");
    if (switchOn(4))
        o += QStringLiteral(" -q");
    if (switchOn(5))
        o += QStringLiteral(" -b");
    o += switchOn(6) ? QStringLiteral(" -asxhtml") : QStringLiteral(" -ashtml");
    if (switchOn(2))
        o += QStringLiteral(" -u --uppercase-attributes yes");
    return o;
}

QByteArray EncodePage(const QString& text, TextEncoding encoding)
{
    // The BOM Tidy needs to read UTF-16 comes with it; a UTF-8 BOM is left out, as before.
    FileFormat format;
    format.encoding = encoding == TextEncoding::Utf8Bom ? TextEncoding::Utf8 : encoding;
    return FileText::Encode(text, format);
}

QString DecodePage(const QByteArray& bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Latin1:
        return QString::fromLatin1(bytes);
    case TextEncoding::Windows1252:
    case TextEncoding::Latin9: {
        QByteArray utf8;
        FileText::DecodeAs(bytes, encoding, &utf8, nullptr, nullptr);   // every byte is a character
        return QString::fromUtf8(utf8);
    }
    case TextEncoding::Utf16LE:
        return QStringDecoder(QStringConverter::Utf16LE)(bytes);
    case TextEncoding::Utf16BE:
        return QStringDecoder(QStringConverter::Utf16BE)(bytes);
    default:
        return QString::fromUtf8(bytes);
    }
}

QStringList Arguments(RunKind kind, const QString& folder, TextEncoding encoding)
{
    const QString dir = QDir(folder).absolutePath() + QLatin1Char('/');
    QStringList args;
    if (kind == RunKind::Check)
        args << QStringLiteral("-f") << dir + QStringLiteral("~tidy_qrn.txt");
    else
        args << QStringLiteral("-m");
    args += OptionText().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    args << QStringLiteral("--tidy-mark") << QStringLiteral("no") << QStringLiteral("--wrap-asp") << QStringLiteral("no");
    if (kind == RunKind::Forced)
        args << QStringLiteral("--force-output") << QStringLiteral("yes");
    if (encoding == TextEncoding::Latin1)
        args << QStringLiteral("--char-encoding") << QStringLiteral("latin1");
    else if (encoding == TextEncoding::Utf16LE)
        args << QStringLiteral("--char-encoding") << QStringLiteral("utf16le");
    else if (encoding == TextEncoding::Utf16BE)
        args << QStringLiteral("--char-encoding") << QStringLiteral("utf16be");
    // Tidy writes these two as ASCII, declaring "us-ascii" in the page, unless told otherwise.
    else if (encoding == TextEncoding::Windows1252)
        args << QStringLiteral("--char-encoding") << QStringLiteral("win1252") << QStringLiteral("--output-encoding")
             << QStringLiteral("win1252");
    else if (encoding == TextEncoding::Latin9)
        args << QStringLiteral("--char-encoding") << QStringLiteral("latin0") << QStringLiteral("--output-encoding")
             << QStringLiteral("latin0");
    // The files are always absolute paths, so none of them can read as a switch.
    args << dir + QStringLiteral("~tidy_qrn.html");
    return args;
}

QString Program()
{
    if (!g_programOverride.isEmpty())
        return g_programOverride;
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/Tidy/tidy");
    if (QFileInfo(beside).isExecutable())
        return beside;
    const QString found = QStandardPaths::findExecutable(QStringLiteral("tidy"));
    return found.isEmpty() ? QStringLiteral("tidy") : found;
}

void SetProgramOverride(const QString& program)
{
    g_programOverride = program;
}

void SetTimeLimit(int milliseconds)
{
    g_timeLimit = milliseconds;
}

QString LastWorkFolder()
{
    return g_lastFolder;
}

Outcome Run(const QStringList& arguments, QWidget* owner, BusyScope* busy)
{
    Outcome out;
    QProcess process;
    process.setProgram(Program());
    process.setArguments(arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());

    QEventLoop loop;
    bool timedOut = false;
    QProgressDialog progress(tr("HTML Tidy is working..."), tr("Cancel"), 0, 0, owner);
    progress.setObjectName(QStringLiteral("TidyProgress"));
    progress.setWindowTitle(QStringLiteral("QRN"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setMinimumDuration(0);
    progress.cancel();  // a fresh progress dialog shows itself by timer; only ours decides
    progress.reset();
    progress.hide();
    QTimer showTimer;
    showTimer.setSingleShot(true);
    QObject::connect(&showTimer, &QTimer::timeout, &progress, [&progress] { progress.show(); });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &process, [&] {
        timedOut = true;
        process.kill();
    });
    QObject::connect(&progress, &QProgressDialog::canceled, &process, [&] {
        out.cancelled = true;
        process.kill();
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            loop.quit();
    });

    if (busy)
        busy->SetCancel([&] {
            out.cancelled = true;
            process.kill();
        });
    // Whatever ends the wait, this run's cancel must not outlive it.
    const auto clearCancel = qScopeGuard([busy] {
        if (busy)
            busy->SetCancel({});
    });
    process.start();
    if (process.state() == QProcess::NotRunning && process.error() == QProcess::FailedToStart) {
        out.message = tr("HTML Tidy could not be started (%1): %2.\nInstall the \"tidy\" package.")
                          .arg(process.program(), process.errorString());
        return out;
    }
    showTimer.start(400);
    limit.start(g_timeLimit);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    showTimer.stop();
    limit.stop();
    progress.hide();

    if (process.error() == QProcess::FailedToStart) {
        out.message = tr("HTML Tidy could not be started (%1): %2.\nInstall the \"tidy\" package.")
                          .arg(process.program(), process.errorString());
    } else if (out.cancelled) {
        // The user stopped it; nothing to report.
    } else if (timedOut) {
        out.message = tr("HTML Tidy did not finish within %1 seconds and was stopped.").arg(g_timeLimit / 1000);
    } else if (process.exitStatus() == QProcess::CrashExit) {
        out.message = tr("HTML Tidy stopped unexpectedly (%1).").arg(process.program());
    } else {
        // Tidy's exit code only repeats what its log says.
        out.ok = true;
    }
    return out;
}

QString ResultText(QString tidied)
{
    tidied.remove(QLatin1Char('\r'));
    while (tidied.endsWith(QLatin1Char('\n')))
        tidied.chop(1);
    return tidied;
}

void mnuToolsTidy_Click(Workspace* main)
{
    QPointer<frmDocument> doc = main->ActiveDocument();
    if (!doc || !doc->IsEditMode() || doc->IsBusy())
        return;
    QPointer<CodeMax1> editor = doc->Editor();
    auto report = [main](const QString& message) {
        MsgBox(message, MsgButtons::OKOnly, MsgIcon::Exclamation, QStringLiteral("QRN"), main);
    };

    // Private to this user and this run; removed with everything in it at the end.
    QTemporaryDir work(QDir::tempPath() + QStringLiteral("/qrn-tidy-XXXXXX"));
    if (!work.isValid()) {
        report(tr("HTML Tidy could not be run: no temporary folder (%1).").arg(work.errorString()));
        return;
    }
    g_lastFolder = work.path();
    const QString page = work.filePath(QStringLiteral("~tidy_qrn.html"));
    const QString log = work.filePath(QStringLiteral("~tidy_qrn.txt"));
    const TextEncoding encoding = editor->Format().encoding;
    QString error;
    if (!ToolFiles::WriteCopy(page, EncodePage(editor->Text(), encoding), &error)) {
        report(tr("HTML Tidy could not be run: '%1' could not be written (%2).").arg(page, error));
        return;
    }

    // The document stays as it is until the result replaces it; closing it
    // meanwhile stops the run.
    BusyScope busy(doc, tr("HTML Tidy is working..."));
    const Outcome check = Run(Arguments(RunKind::Check, work.path(), encoding), main, &busy);
    if (!editor || busy.Cancelled())
        return;
    if (!check.ok) {
        if (!check.message.isEmpty())
            report(check.message);
        return;
    }
    QString logText;
    QFile logFile(log);
    if (logFile.open(QIODevice::ReadOnly))
        logText = QString::fromUtf8(logFile.readAll());
    logFile.close();

    frmTidy dialog(main);
    dialog.ShowTidyLog(logText, work.path(), &busy, encoding);
    busy.SetCancel([&dialog] { dialog.reject(); });
    Prompter::Current().ExecDialog(&dialog);
    if (!dialog.Applied() || !editor || busy.Cancelled())
        return;
    busy.End();

    const QString text = FileText::NormaliseLineBreaks(ResultText(dialog.TidiedText()), editor->LineBreak());
    const CodeMaxRange remembered = editor->GetSel(false);
    const int last = editor->LineCount() - 1;
    editor->SetSel({0, 0, last, editor->GetLineLength(last)}, false);
    editor->SetSelText(text);
    editor->SetSel(remembered, true);
    ToolFiles::RemoveMatching(work.path(), QStringLiteral("~tidy_qrn.*"));
}
} // namespace Tidy
