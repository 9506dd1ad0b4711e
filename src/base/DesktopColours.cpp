// Colours of our own that follow the desktop's palette.
#include "base/DesktopColours.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace DesktopColours {
namespace {
// The outline colour every icon of ours is drawn with.
constexpr char kOutline[] = "#37474f";
}

bool IsDark(const QPalette& palette)
{
    return palette.color(QPalette::WindowText).lightness() > palette.color(QPalette::Window).lightness();
}

bool IsDark()
{
    return IsDark(QGuiApplication::palette());
}

QIcon Icon(const QString& resource)
{
    if (!IsDark())
        return QIcon(resource);
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return QIcon(resource);
    QByteArray svg = file.readAll();
    svg.replace(kOutline, QGuiApplication::palette().color(QPalette::WindowText).name().toLatin1());
    QSvgRenderer renderer(svg);
    if (!renderer.isValid())
        return QIcon(resource);
    QIcon icon;
    for (int size : {16, 20, 24, 32, 40, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QColor DocumentArea(const QPalette& palette)
{
    // A slate grey on light desktops; on dark ones a shade below the window.
    return IsDark(palette) ? palette.color(QPalette::Window).darker(135) : QColor(0x8a, 0x94, 0xa3);
}
} // namespace DesktopColours
