// Finds and loads the module that holds the embedded browser, on the first preview only.
#include "base/BrowserView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QOpenGLContext>

// Exported by Qt GUI; the engine shares its OpenGL resources through this context.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {
// The engine wants a shared OpenGL context. Made here, just before the engine
// loads, rather than at start-up, where it would cost every start its set-up.
void shareOpenGLContexts()
{
    if (QOpenGLContext::globalShareContext())
        return;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    if (context->create())
        qt_gl_set_global_share_context(context);
    else
        delete context;
}
} // namespace

namespace BrowserModule {
namespace {
QString g_folder;
}

QStringList SearchFolders(const QString& appDir)
{
    if (!g_folder.isEmpty())
        return {g_folder};
    // An installed program loads only its own installed module; one run from
    // elsewhere (the build tree, a copied install) loads the one beside it.
    if (QDir(appDir) == QDir(QStringLiteral(QRN_BINDIR)))
        return {QStringLiteral(QRN_PLUGINDIR)};
    return {appDir, appDir + QStringLiteral("/../lib/qrn")};
}

void SetFolder(const QString& folder)
{
    g_folder = folder;
}

QString Path()
{
    const QString name = QStringLiteral("libqrnwebview.so");
    for (const QString& folder : SearchFolders(QCoreApplication::applicationDirPath())) {
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
        shareOpenGLContexts();
        static QLibrary library(path);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        return reinterpret_cast<CreateBrowserFn>(library.resolve("qrn_create_browser"));
    }();
    return factory;
}
} // namespace BrowserModule
