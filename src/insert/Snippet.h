#pragma once
// What a menu entry inserts and where the caret goes afterwards, plus the
// small pieces every snippet menu shares.
#include <QString>
#include <QStringList>
#include <optional>

#include "document/InsertText.h"

class QAction;
class QMenu;

// One entry of a snippet menu: its caption, the tag string stored with it and
// what choosing it does. run is handed its own row, so that rows differing only
// in caption or tag can share one handler.
struct MenuEntry {
    const char* caption;
    const char* tag;
    void (*run)(const MenuEntry& entry, const QString& sel);
};

// Markup a dialog left to be inserted once it has closed.
extern QString PendingInsert;
// Inserts PendingInsert when a dialog left markup there, and always clears it.
void InsertPending(int chars, int lines);

// A one-line prompt titled with the application title unless given; an empty
// answer and Cancel both give nullopt.
std::optional<QString> AskForText(const QString& prompt, const QString& defaultText = QString(),
                                  const QString& title = QStringLiteral("QRN"));

// "QRN Version 1.2.0"
QString GeneratorName();
// The thirteen-line page of the quick outline and the page wizard. A META
// line is written only for the values given.
QString PageSkeleton(const QString& title, const std::optional<QString>& description,
                     const std::optional<QString>& keywords, bool generator, const QString& bodyTag);

// Translated caption of an entry, as shown in the menu.
QString EntryCaption(const MenuEntry& entry);
