// vantaro-video: the desktop program.
#include <signal.h>

#include <QApplication>
#include <memory>

#include "VMCAppStartup.h"
#include "VMCCrashReport.h"
#include "VMCCrashTest.h"
#include "VMCErrorHandlerWindow.h"
#include "VMCPanelHostBase.h"
#include "VMCPanelHostWindow.h"
#include "VMCQtMainThreadPoster.h"
#include "XMainThread.h"

int main(int argc, char** argv) {
    // A closed pipe is reported by write; it must not end the program.
    signal(SIGPIPE, SIG_IGN);
    // The data folder and the settings store are in place before any window opens.
    VMCAppStartup::start();
    // From here on a fatal signal leaves a bug report, shown at the next start.
    VMCCrashReport::install();

    QApplication app(argc, argv);
    // Where the window-level choices (the last source folder) are kept.
    QApplication::setOrganizationName(QStringLiteral("Quillmere"));
    QApplication::setApplicationName(QStringLiteral("VantaroVideo"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(VMCPanelHostBase::kApplicationName));

    XMainThread::setPoster(std::make_shared<VMCQtMainThreadPoster>(&app));
    VMCErrorHandlerWindow::installPresenter();
    VMCPanelHostWindow::openLauncher();
    // Over the launcher: what ended the last run.
    VMCErrorHandlerWindow::showUnseenReports();
    VMCCrashTest::armFromEnvironment();
    const int status = QApplication::exec();
    // Work posted from now on has no main loop to run in.
    XMainThread::setPoster(nullptr);
    return status;
}
