#include "tools/BrowserView.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace BrowserModule {
QString Path()
{
    const QString name = QStringLiteral("libqrnwebview.so");
    const QString app = QCoreApplication::applicationDirPath();
    const QStringList folders = {app, app + QStringLiteral("/../lib/qrn"), QStringLiteral(QRN_PLUGINDIR),
                                 QStringLiteral(QRN_BUILD_PLUGINDIR)};
    for (const QString& folder : folders) {
        const QFileInfo f(folder + QLatin1Char('/') + name);
        if (f.isFile())
            return f.absoluteFilePath();
    }
    return QString();
}

CreateBrowserFn Factory()
{
    static CreateBrowserFn factory = [] {
        const QString path = Path();
        if (path.isEmpty())
            return CreateBrowserFn(nullptr);
        static QLibrary library(path);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        return reinterpret_cast<CreateBrowserFn>(library.resolve("qrn_create_browser"));
    }();
    return factory;
}
} // namespace BrowserModule
