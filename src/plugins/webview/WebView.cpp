// The embedded browser, built as a module of its own and loaded on the first preview.
#include "tools/BrowserView.h"

#include <QWebEnginePage>
#include <QWebEngineView>

namespace {
class WebView : public QWebEngineView, public BrowserView {
public:
    WebView(QWidget* parent, const BrowserHooks& hooks) : QWebEngineView(parent)
    {
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
