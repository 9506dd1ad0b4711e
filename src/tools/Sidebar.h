#pragma once
// The sidebar's two fixed lists, HTML tags and character references, and
// their insertion into the active document on double-click.
#include <QString>
#include <QStringList>

#include "document/InsertText.h"

class Workspace;

namespace Sidebar {
// 110 tag names in list order.
const QStringList& Tags();
// 101 rows as shown in the list.
const QStringList& Chars();
// What double-clicking tag T inserts with the selection sel.
Snippet TagSnippet(const QString& tag, const QString& sel);
// "&amp;" for "&"; empty for a text that is no row of the list.
QString CharEntity(const QString& row);
}

// Fills List1 for the selected tab, refills it on every tab change and
// inserts on double-click.
void InstallSidebar(Workspace* main);
