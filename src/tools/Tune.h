#pragma once
// Basic HTML compression: removes redundant white space around markup and
// blank lines from a document's text.
#include <QString>
#include <QVector>

class CodeMax1;
class frmDocument;

struct TuneResult {
    int oldSize = 0;   // characters (a CR LF counts 2)
    int newSize = 0;
};

// The whole transformation on plain text, in one linear pass:
// runs of spaces become one space; " >", "< ", "= ", " =" lose their space
// (in that order, each once); empty and one-space lines are removed.
QString TuneText(const QString& text);
// The same pass on UTF-8 text.
QByteArray TuneUtf8(const QByteArray& text);

// Where bookmarked lines (ascending) of text are after the pass; those deleted are left out.
QVector<int> SurvivingBookmarks(const QByteArray& text, const QVector<int>& lines);

// "12.50% decrease in size (250 bytes)." or the no-reduction message.
QString TuneReport(const TuneResult& result);

// Compresses the editor's text as one undo step and leaves the caret at the start.
TuneResult TuneEditor(CodeMax1* editor);

// The document command: compress, refresh the status panels, report, focus the editor.
void fctnTune(frmDocument* doc);
