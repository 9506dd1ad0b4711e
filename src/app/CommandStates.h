#pragma once
// Which of the main window's commands the active document allows: a rule over
// the document's state, kept apart from the widgets so it can be checked alone.
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

struct DocumentState {
    bool open = false;         // a document window exists
    bool editMode = true;      // false while it shows its preview
    bool modified = false;
    bool canUndo = false;
    bool canRedo = false;
    bool canCut = false;
    bool canCopy = false;
    bool canPaste = false;
    bool maxEditView = false;  // "Maximise edit view" is on
};

struct CommandStates {
    // Main toolbar buttons by key; a button not listed keeps its state.
    QList<QPair<QString, bool>> buttons;
    // The Edit menu and the view options (whitespace, line numbers, margins); unset: unchanged.
    std::optional<bool> editMenu;
    std::optional<bool> viewOptions;
    // The eleven insertion buttons.
    bool powerbar = false;
};

CommandStates CommandStatesFor(const DocumentState& state);
