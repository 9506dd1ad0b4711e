#pragma once
// Colours of our own that follow the desktop's palette, light or dark.
#include <QColor>
#include <QIcon>
#include <QPalette>
#include <QString>

namespace DesktopColours {
// True when the palette puts light text on a dark window.
bool IsDark(const QPalette& palette);
bool IsDark();   // the application's palette
// An icon of ours; on a dark palette its dark outlines take the palette's text colour.
QIcon Icon(const QString& resource);
// The empty document area behind the document windows.
QColor DocumentArea(const QPalette& palette);
}
