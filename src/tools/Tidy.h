#pragma once
// Front end to the HTML Tidy program: a check run whose log the user reads,
// then on request a run that rewrites a copy of the page, whose text replaces
// the document's.
#include "document/FileText.h"

#include <QString>
#include <QStringList>

class BusyScope;
class QWidget;
class Workspace;

namespace Tidy {
// Switches from the seven "Config" keys in the order Tidy0, 1, 3, 4, 5, 6, 2,
// e.g. " -i -q -ashtml -u --uppercase-attributes yes" with the defaults.
QString OptionText();

enum class RunKind { Check, Tidy, Forced };
// Argument list of a run on the files "~tidy_qrn.html" / "~tidy_qrn.txt" in folder.
// The page is in the document's own encoding, so that what Tidy declares in
// it is what the document is saved in.
QStringList Arguments(RunKind kind, const QString& folder, TextEncoding encoding = TextEncoding::Utf8);
// The page's bytes for Tidy, and Tidy's result back as text, in that encoding.
QByteArray EncodePage(const QString& text, TextEncoding encoding);
QString DecodePage(const QByteArray& bytes, TextEncoding encoding);

// Tidy's page as it replaces the document's text: no CRs, no line breaks at the end.
QString ResultText(QString tidied);

// "Tidy/tidy" beside the program when present, else "tidy" from PATH.
QString Program();
// Tests point the front end at another program (empty restores the search)
// and shorten the time limit.
void SetProgramOverride(const QString& program);
void SetTimeLimit(int milliseconds);

struct Outcome {
    bool ok = false;
    bool cancelled = false;
    QString message;   // why it failed, for the user
};
// Runs the program and waits with the interface alive: a progress window
// with Cancel appears when the run takes a moment; past the time limit the
// program is stopped. Cancelling busy (the document's run) stops it too.
Outcome Run(const QStringList& arguments, QWidget* owner, BusyScope* busy = nullptr);

// The folder of the last run's files (gone once the command has finished).
QString LastWorkFolder();

// The Tools menu command on the active document.
void mnuToolsTidy_Click(Workspace* main);
}
