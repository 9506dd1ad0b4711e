#pragma once
// The files open at the last exit, for the option that reopens them at start-up.
#include <QList>
#include <QString>
#include <optional>

#include "document/FileText.h"

namespace Session {
struct File {
    QString path;
    int line = 0;     // caret line and index in it, as the edit control counts them
    int index = 0;
    // An encoding the user chose (IsChosenOnly), which a plain open would not find.
    std::optional<TextEncoding> encoding;
    bool operator==(const File&) const = default;
};
struct State {
    QList<File> files;   // in the order of the windows or tabs
    int active = -1;     // index into files of the active one
    bool operator==(const State&) const = default;
};

bool Enabled();
void Save(const State& state);
// What Save stored; files that are no longer there are left out.
State Load();
}
