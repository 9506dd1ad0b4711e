// The numbered commands of the edit control, one table row each, and the keys bound to them.
#pragma once
#include <QKeySequence>
#include <QVariant>

#include "document/FindReplace.h"

class CodeMax1;
class QsciCommand;

// A friend of CodeMax1: the commands work on its caret, find and repeat state.
class CodeMaxCommands {
public:
    // Runs a numbered command, as often as a pending repeat count says when the
    // count applies to it. False for an unknown number.
    static bool execute(CodeMax1& editor, int number, const QVariant& data);

    // The keys of a numbered command: QScintilla's own binding of the same action.
    static int hotKeyCount(const CodeMax1& editor, int number);
    static QKeySequence hotKey(const CodeMax1& editor, int number, int index);
    static void removeHotKey(CodeMax1& editor, int number, int index);
    // Ctrl+A is redo in this editor (select all stays a numbered command), so that
    // once the document window removes the redo bindings, Ctrl+A reaches the menu.
    // The control's zoom keys go too: the View menu zooms every document together.
    static void bindKeys(CodeMax1& editor);

private:
    struct Row {
        int number;
        void (*run)(CodeMax1& editor, const QVariant& data);
        bool repeatable;   // a repeat count applies; dialogs and prompts run once
        int keys;          // the QsciCommand::Command whose keys it has, or 0
    };
    static const Row* row(int number);
    static QsciCommand* keys(const CodeMax1& editor, int number);

    static void changeCase(CodeMax1& editor, bool upper);
    static void lineUpKeepingColumn(CodeMax1& editor);
    static void charMove(CodeMax1& editor, bool right);
    static void gotoLine(CodeMax1& editor, int line);
    static void gotoLinePrompt(CodeMax1& editor);
    static void repeatCountPrompt(CodeMax1& editor);
    static void toggleBookmark(CodeMax1& editor);
    static void moveBookmark(CodeMax1& editor, bool forward);
    static void reportProblem(CodeMax1& editor, const FindReplace::Problem& problem, int replaced);
    static void findNext(CodeMax1& editor, bool showMessage);
    static void replaceSelection(CodeMax1& editor);
    // How many were replaced; -1 when a message has told what went wrong.
    static int replaceAll(CodeMax1& editor);
    static void showFindDialog(CodeMax1& editor, bool replace);
};
