// vantaro-video: the desktop program.
#include <signal.h>

#include <QApplication>
#include <memory>

#include "VMCAppStartup.h"
#include "VMCPanelHostBase.h"
#include "VMCPanelHostWindow.h"
#include "VMCQtMainThreadPoster.h"
#include "XMainThread.h"

int main(int argc, char** argv) {
    // A closed pipe is reported by write; it must not end the program.
    signal(SIGPIPE, SIG_IGN);
    // The data folder and the settings store are in place before any window opens.
    VMCAppStartup::start();

    QApplication app(argc, argv);
    // Where the window-level choices (the last source folder) are kept.
    QApplication::setOrganizationName(QStringLiteral("Quillmere"));
    QApplication::setApplicationName(QStringLiteral("VantaroVideo"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(VMCPanelHostBase::kApplicationName));

    XMainThread::setPoster(std::make_shared<VMCQtMainThreadPoster>(&app));
    VMCPanelHostWindow::openLauncher();
    const int status = QApplication::exec();
    // Work posted from now on has no main loop to run in.
    XMainThread::setPoster(nullptr);
    return status;
}
