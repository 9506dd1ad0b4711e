// Runs before every test program's main: private folders and the browser module of this build.
#include "base/BrowserView.h"

#include <QByteArray>
#include <QDir>
#include <QtGlobal>

#include <cstdlib>
#include <unistd.h>

namespace {
// CTest gives each test its own folders under the build tree. A test started by
// hand gets fresh ones too, so it never reads or writes the user's own settings,
// documents or desktop entries.
void usePrivateFolders()
{
    const QByteArray ours = QRN_TEST_HOMES;
    if (qgetenv("XDG_CONFIG_HOME").startsWith(ours) && qgetenv("XDG_DATA_HOME").startsWith(ours)) {
        // The runtime folder must exist, private, for the single-instance socket.
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        return;
    }
    QByteArray home = QDir::tempPath().toLocal8Bit() + "/qrn-test-XXXXXX";
    if (!::mkdtemp(home.data()))
        std::abort();
    for (const char* name : {"config", "data", "cache", "runtime"})
        QDir().mkpath(QString::fromLocal8Bit(home + '/' + name));
    QFile::setPermissions(QString::fromLocal8Bit(home + "/runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                         QFileDevice::ExeOwner);
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", home + "/config");
    qputenv("XDG_DATA_HOME", home + "/data");
    qputenv("XDG_CACHE_HOME", home + "/cache");
    qputenv("XDG_RUNTIME_DIR", home + "/runtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void prepareTestProcess()
{
    usePrivateFolders();
    BrowserModule::SetFolder(QStringLiteral(QRN_MODULE_DIR));
}
} // namespace

Q_CONSTRUCTOR_FUNCTION(prepareTestProcess)
