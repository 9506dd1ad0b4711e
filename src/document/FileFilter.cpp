// The file type filters of the Open and Save dialogs.
#include "document/FileFilter.h"

namespace FileFilter {
QString Documents()
{
    return QStringLiteral("ASP files (*.asp)|*.asp|CSS files (*.css)|*.css|HTML/SHTML files (*.htm*, *.shtm*)|*.htm*;*.shtm*|"
                          "Javascript files (*.js)|*.js|Text Files (*.txt)|*.txt|All Files (*.*)|*.*");
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
