// The embedded browser, built as a module of its own and loaded on the first preview.
#include "base/BrowserView.h"

#include <QFileInfo>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

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
        connect(this, &QWebEngineView::loadStarted, this, [hooks] {
            if (hooks.loadStarted)
                hooks.loadStarted();
        });
        connect(this, &QWebEngineView::loadFinished, this, [hooks](bool ok) {
            if (hooks.loadFinished)
                hooks.loadFinished(ok);
        });
        connect(page(), &QWebEnginePage::linkHovered, this, [hooks](const QString& url) {
            if (hooks.linkHovered)
                hooks.linkHovered(url);
        });
    }
    QWidget* Widget() override { return this; }
    void Load(const QUrl& url) override { load(url); }
    void Reload() override { reload(); }
    QUrl Url() const override { return url(); }
};
} // namespace

extern "C" Q_DECL_EXPORT BrowserView* qrn_create_browser(QWidget* parent, const BrowserHooks& hooks)
{
    return new WebView(parent, hooks);
}
