#pragma once
// The main window's menus as one table of rows, and the builder that makes them.
#include <QHash>
#include <QKeySequence>
#include <QString>

#include "document/FileText.h"

class QAction;
class QMenu;
class QMenuBar;

namespace MenuTable {
enum Flag : unsigned {
    Item = 0,
    TopMenu = 1,     // a menu of the menu bar; its name is its own
    SubMenu = 2,     // a menu inside the row's menu
    Separator = 4,
    Checkable = 8,
    Checked = 16,
    Disabled = 32,
    Hidden = 64,
};

struct Row {
    const char* menu;      // the menu the row goes into (ignored for a top menu)
    const char* name;      // objectName, and the key Action() and Menu() find it by
    const char* caption;   // translated in the "frmMain" context
    QKeyCombination key;
    unsigned flags;
};

// Every row, in menu order.
const QList<Row>& Rows();

// File > Reopen with Encoding: each item's name and the encoding it reads the file in
// (for UTF-16 the file's BOM decides the byte order).
const QList<QPair<const char*, TextEncoding>>& ReopenItems();

// Builds the rows into bar, registering actions (separators included) and menus by name.
void Build(QMenuBar* bar, QHash<QString, QAction*>& actions, QHash<QString, QMenu*>& menus);
}
