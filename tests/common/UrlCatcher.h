#pragma once
// Takes the addresses the program hands to the desktop instead of opening them.
#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(const QStringList& schemes) : m_schemes(schemes)
    {
        for (const QString& s : m_schemes)
            QDesktopServices::setUrlHandler(s, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const QString& s : m_schemes)
            QDesktopServices::unsetUrlHandler(s);
    }
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }

private:
    QStringList m_schemes;
};
