#pragma once
// The file-type filter of the document dialogs and the filter index a caption implies.
#include <QString>
#include <QStringList>

namespace FileFilter {
// The filter of the Open, Save As and Save All dialogs.
QString Documents();
// The Save As filter index (1-based) from a caption: asp 1, css 2, js 4, txt 5, otherwise 3.
int IndexForCaption(const QString& caption);
}
