// vantaro-video: the desktop program.
#include <signal.h>

#include <QApplication>
#include <iostream>
#include <memory>

#include "VADisplayText.h"
#include "VASystemVersion.h"
#include "VCliVersion.h"
#include "VMCAppStartup.h"
#include "VMCCommandLine.h"
#include "VMCCrashReport.h"
#include "VMCCrashTest.h"
#include "VMCErrorHandlerWindow.h"
#include "VMCPanelHostBase.h"
#include "VMCPanelHostWindow.h"
#include "VMCQtMainThreadPoster.h"
#include "VMCStartReport.h"
#include "XMainThread.h"

namespace {

int usageError(const std::string& message) {
    std::cerr << VMCCommandLine::kProgramName << ": " << VADisplayText::linesUtf8(message)
              << "\nTry '" << VMCCommandLine::kProgramName << " --help'.\n";
    return VMCCommandLine::kUsageErrorStatus;
}

}  // namespace

int main(int argc, char** argv) {
    // A closed pipe is reported by write; it must not end the program.
    signal(SIGPIPE, SIG_IGN);
    // Read before Qt starts, so that the help, the version and a mistake need no display.
    const VMCCommandLine line =
        VMCCommandLine::parse(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
        case VMCCommandLine::Action::kHelp:
            std::cout << VMCCommandLine::helpText();
            return 0;
        case VMCCommandLine::Action::kVersion:
            std::cout << VMCCommandLine::kProgramName << ' ' << VCliVersion::text() << '\n';
            return 0;
        case VMCCommandLine::Action::kUsageError:
            return usageError(line.error);
        case VMCCommandLine::Action::kOpen:
            break;
    }
    XStrList sources;
    std::string message;
    if (line.opensBatchConverter() ? !line.collectBatchSelection(sources, message)
                                   : line.hasSources() && !line.collectSources(sources, message)) {
        return usageError(message);
    }

    // The data folder and the settings store are in place before any window opens.
    VMCAppStartup::start();
    // From here on a fatal signal leaves a bug report, shown at the next start.
    VASystemVersion::setAppVersion(VCliVersion::text());
    VMCCrashReport::install();

    // Qt sees only the program's name: its own settings come from the environment.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    // Where the window-level choices (the last source folder) are kept.
    QApplication::setOrganizationName(QStringLiteral("Quillmere"));
    QApplication::setApplicationName(QStringLiteral("VantaroVideo"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(VMCPanelHostBase::kApplicationName));
    // Lets the desktop match the windows to the installed desktop file and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vantaro-video"));
    if (line.reportStart) {
        VMCStartReport::install(&app, stdout);
    }

    XMainThread::setPoster(std::make_shared<VMCQtMainThreadPoster>(&app));
    VMCErrorHandlerWindow::installPresenter();
    const std::jthread asking = VMCAppStartup::askFFmpegInBackground();
    if (line.opensBatchConverter()) {
        VMCPanelHostWindow::openForFolders(sources);
    } else if (sources.empty()) {
        VMCPanelHostWindow::openLauncher();
    } else {
        VMCPanelHostWindow::openForSources(sources);
    }
    // Over the first window: what ended the last run.
    VMCErrorHandlerWindow::showUnseenReports();
    VMCCrashTest::armFromEnvironment();
    const int status = QApplication::exec();
    // Work posted from now on has no main loop to run in.
    XMainThread::setPoster(nullptr);
    return status;
}
