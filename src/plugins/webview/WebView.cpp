// The embedded browser, built as a module of its own and loaded on the first preview.
#include "base/BrowserView.h"

#include <QDir>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include <sys/resource.h>
#include <unistd.h>

namespace {
// A previewed page may load, from anywhere on disk, the kinds of file a page is
// made of: pictures, sound and video, fonts, its style sheets, its scripts and
// the pages of its frames. Nothing lets its scripts read other files: requests
// from scripts to local files are refused, and only real style sheets, scripts
// and pages are loaded as such, so a key file cannot be read through a frame,
// a style sheet or a script either.
class LocalFileGuard : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        if (!info.requestUrl().isLocalFile())
            return;
        const QString ext = QFileInfo(info.requestUrl().path()).suffix().toLower();
        const auto among = [&ext](std::initializer_list<const char*> list) {
            for (const char* e : list)
                if (ext == QLatin1String(e))
                    return true;
            return false;
        };
        bool allowed = false;
        switch (info.resourceType()) {
        case QWebEngineUrlRequestInfo::ResourceTypeImage:
        case QWebEngineUrlRequestInfo::ResourceTypeFontResource:
        case QWebEngineUrlRequestInfo::ResourceTypeMedia:
        case QWebEngineUrlRequestInfo::ResourceTypeFavicon:
            allowed = true;
            break;
        case QWebEngineUrlRequestInfo::ResourceTypeStylesheet:
            allowed = among({"css"});
            break;
        case QWebEngineUrlRequestInfo::ResourceTypeScript:
            allowed = among({"js", "mjs"});
            break;
        case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
        case QWebEngineUrlRequestInfo::ResourceTypeSubFrame:
            allowed = among({"html", "htm", "shtml", "shtm", "asp", "xhtml", "xml", "svg", "css", "js", "txt", "png",
                             "jpg", "jpeg", "gif", "webp", "bmp", "ico"});
            break;
        default:   // fetch, XMLHttpRequest, workers, prefetches, pings
            break;
        }
        if (!allowed)
            info.block(true);
    }
};

class WebView : public QWebEngineView, public BrowserView {
public:
    WebView(QWidget* parent, const BrowserHooks& hooks) : QWebEngineView(parent)
    {
        // As a desktop browser treats a page opened from disk: its pictures, style
        // sheets and scripts load, near or remote, but it cannot read other local
        // files (the user's keys, say).
        QWebEngineSettings* s = settings();
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
        page()->setUrlRequestInterceptor(new LocalFileGuard(this));
        connect(this, &QWebEngineView::loadStarted, this, [this, hooks] {
            // The renderer may be forked a moment after the load starts: looked for again then.
            givePriorityToEditor();
            for (int ms : {250, 1000})
                QTimer::singleShot(ms, this, &WebView::givePriorityToEditor);
            if (hooks.loadStarted)
                hooks.loadStarted();
        });
        connect(this, &QWebEngineView::loadFinished, this, [hooks](bool ok) {
            givePriorityToEditor();
            if (hooks.loadFinished)
                hooks.loadFinished(ok);
        });
        connect(page(), &QWebEnginePage::linkHovered, this, [hooks](const QString& url) {
            if (hooks.linkHovered)
                hooks.linkHovered(url);
        });
    }
    QWidget* Widget() override { return this; }

private:
    // A page being laid out or running its scripts gives way to the editor whenever both
    // want the processor, so that typing beside a live preview never waits for it: every
    // process the engine started below this one (its zygote, the renderers) runs niced.
    // The engine offers no other hold on its processes' priority.
    static void givePriorityToEditor()
    {
        const pid_t self = getpid();
        auto parentOf = [](pid_t pid) {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!stat.open(QIODevice::ReadOnly))
                return pid_t(0);
            const QByteArray line = stat.read(512);
            const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
            return pid_t(fields.value(1).toInt());
        };
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& entry : entries) {
            bool number = false;
            const pid_t pid = pid_t(entry.toInt(&number));
            if (!number || pid == self)
                continue;
            // Only the engine's own helpers: user tools started from the editor keep their priority.
            QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
            if (!comm.open(QIODevice::ReadOnly) || !comm.readAll().startsWith("QtWebEngineProc"))
                continue;
            pid_t up = pid;
            for (int depth = 0; depth < 3 && up > 1; ++depth) {
                up = parentOf(up);
                if (up == self) {
                    if (getpriority(PRIO_PROCESS, id_t(pid)) < 10)
                        setpriority(PRIO_PROCESS, id_t(pid), 10);
                    break;
                }
            }
        }
    }

public:
    void Load(const QUrl& url) override { load(url); }
    void Reload() override { reload(); }
    QUrl Url() const override { return url(); }
};
} // namespace

extern "C" Q_DECL_EXPORT BrowserView* qrn_create_browser(QWidget* parent, const BrowserHooks& hooks)
{
    return new WebView(parent, hooks);
}
