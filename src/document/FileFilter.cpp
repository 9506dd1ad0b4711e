#include "document/FileFilter.h"

namespace FileFilter {
QString Documents()
{
    return QStringLiteral("ASP files (*.asp)|*.asp|CSS files (*.css)|*.css|HTML/SHTML files (*.htm*, *.shtm*)|*.htm*;*.shtm*|"
                          "Javascript files (*.js)|*.js|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
}

QStringList ToQt(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts.at(i);
        // Qt reads the patterns from the parentheses, so the label's own list is replaced.
        const int paren = label.indexOf(QLatin1Char('('));
        if (paren >= 0)
            label = label.left(paren).trimmed();
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns == QLatin1String("*.*"))
            patterns = QStringLiteral("*");
        out << label + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out;
}

int IndexForCaption(const QString& caption)
{
    const int dot = caption.indexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : caption.mid(dot + 1);
    if (ext == QLatin1String("asp"))
        return 1;
    if (ext == QLatin1String("css"))
        return 2;
    if (ext == QLatin1String("js"))
        return 4;
    if (ext == QLatin1String("txt"))
        return 5;
    return 3;
}
}
