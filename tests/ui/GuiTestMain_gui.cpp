// The GUI tests' own main(): Qt's application object must exist before any widget, and the
// tests keep their settings, settings store and data in a temporary folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "TestSupport.h"
#include "VAStartup.h"
#include "VAVersionInfoGlobals.h"
#include "VAWebServer.h"
#include "VMCQtMainThreadPoster.h"
#include "XMainThread.h"
#include "XRegistry.h"

namespace {

QtMessageHandler gDefaultHandler = nullptr;

// The offscreen platform says at every window that it cannot pass size hints on.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints"))) {
        return;
    }
    gDefaultHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    // No display needed; QT_QPA_PLATFORM=xcb shows the windows while they are tested.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    const TestTempDir home;
    setenv("XDG_CONFIG_HOME", home.file("config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", home.path().c_str(), 1);
    setenv("_APPDATA_OVERRIDE", home.file("data").c_str(), 1);
    setenv("HOME", home.path().c_str(), 1);
    // The panels save profiles: into the temporary data folder, never the user's store.
    VAStartup::initSettingsStore();
    // Every launcher would ask the maker's server for a newer version: no test reaches
    // beyond the loopback interface, and the one of the update link switches it on.
    XRegistry::SetDWORD(VAVersionInfoGlobals::kNoCheckUpdates, 1);
    // A test that makes a store of its own has the check on again: it then asks a port of
    // this machine where nothing listens (the discard port), never the maker's server.
    setenv(VAWebServer::kHostVariable, "127.0.0.1:9", 1);
    gDefaultHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillmere"));
    QApplication::setApplicationName(QStringLiteral("VantaroVideo"));
    // As in the program: work finished on other threads comes back through Qt's queue.
    XMainThread::setPoster(std::make_shared<VMCQtMainThreadPoster>(&app));
    const int result = RUN_ALL_TESTS();
    XMainThread::setPoster(nullptr);
    return result;
}
