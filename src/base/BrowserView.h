#pragma once
// The embedded browser behind preview mode. Its engine lives in a separate
// module that is loaded on the first preview, so start-up never pays for it.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class QWidget;

struct BrowserHooks {
    std::function<void()> loadStarted;
    std::function<void(bool ok)> loadFinished;
    std::function<void(const QString& url)> linkHovered;
};

class BrowserView {
public:
    virtual ~BrowserView() = default;
    virtual QWidget* Widget() = 0;
    virtual void Load(const QUrl& url) = 0;
    virtual void Reload() = 0;
    virtual QUrl Url() const = 0;
};

// Exported by the module as "qrn_create_browser".
using CreateBrowserFn = BrowserView* (*)(QWidget* parent, const BrowserHooks& hooks);

namespace BrowserModule {
// Where a program in appDir looks for the module, in order.
QStringList SearchFolders(const QString& appDir);
// Programs run from the build tree away from the module (tests, benchmarks)
// name the folder it was built in; then only that folder is searched.
void SetFolder(const QString& folder);
// The module's file, or empty when it is not installed.
QString Path();
// Loads the module on first use; null when it cannot be loaded.
CreateBrowserFn Factory();
}
