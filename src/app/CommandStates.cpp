// The command-state rule of the main window.
#include "app/CommandStates.h"

CommandStates CommandStatesFor(const DocumentState& s)
{
    CommandStates c;
    const QList<const char*> working = {"Find", "Replace", "Spell", "Compress", "Tidy"};
    if (!s.open) {
        // Nothing to save, edit or run a tool on; New, Open and Exit stay.
        for (const char* key : {"Save", "Undo", "Redo", "Cut", "Copy", "Paste", "Find", "Replace", "Spell", "Compress",
                                "Tidy", "External"})
            c.buttons.append({QLatin1String(key), false});
        return c;
    }
    c.buttons.append({QStringLiteral("Save"), s.modified});
    c.editMenu = s.editMode;
    c.powerbar = s.editMode;
    c.viewOptions = s.editMode && !s.maxEditView;
    if (s.editMode) {
        c.buttons.append({QStringLiteral("Undo"), s.canUndo});
        c.buttons.append({QStringLiteral("Redo"), s.canRedo});
        c.buttons.append({QStringLiteral("Cut"), s.canCut});
        c.buttons.append({QStringLiteral("Copy"), s.canCopy});
        c.buttons.append({QStringLiteral("Paste"), s.canPaste});
        for (const char* key : working)
            c.buttons.append({QLatin1String(key), true});
        c.buttons.append({QStringLiteral("External"), true});
    } else {
        // The preview shows the page: no editing; the external browser keeps its state.
        for (const char* key : {"Undo", "Redo", "Cut", "Copy", "Paste"})
            c.buttons.append({QLatin1String(key), false});
        for (const char* key : working)
            c.buttons.append({QLatin1String(key), false});
    }
    return c;
}
