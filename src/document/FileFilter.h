#pragma once
// File-type filters in the classic "label|pattern|label|pattern" form and
// their conversion to Qt's name filters.
#include <QString>
#include <QStringList>

namespace FileFilter {
// The filter of the Open, Save As and Save All dialogs.
QString Documents();
// "ASP files (*.asp)|*.asp|..." -> {"ASP files (*.asp)", ...}; patterns separated by ";" become blanks.
QStringList ToQt(const QString& filter);
// The Save As filter index (1-based) from a caption: asp 1, css 2, js 4, txt 5, otherwise 3.
int IndexForCaption(const QString& caption);
}
