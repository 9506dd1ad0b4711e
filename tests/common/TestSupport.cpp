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
    if (!qgetenv("XDG_CONFIG_HOME").startsWith(ours) || !qgetenv("XDG_DATA_HOME").startsWith(ours)) {
        QByteArray home = QDir::tempPath().toLocal8Bit() + "/qrn-test-XXXXXX";
        if (!::mkdtemp(home.data()))
            std::abort();
        qputenv("HOME", home);
        for (const char* name : {"CONFIG_HOME", "DATA_HOME", "CACHE_HOME", "RUNTIME_DIR"})
            qputenv("XDG_" + QByteArray(name), home + '/' + QByteArray(name).toLower());
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // The runtime folder must exist, private, for the single-instance socket.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void prepareTestProcess()
{
    usePrivateFolders();
    BrowserModule::SetFolder(QStringLiteral(QRN_MODULE_DIR));
}
} // namespace

Q_CONSTRUCTOR_FUNCTION(prepareTestProcess)
