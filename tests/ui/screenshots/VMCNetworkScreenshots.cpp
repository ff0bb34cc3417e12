#include "VMCNetworkScreenshots.h"

#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

#include "ScreenshotSupport.h"
#include "VMCLauncherView.h"
#include "VMCPanelHostWindow.h"
#include "VVCConfigFFmpegWindow.h"
#include "VVCDownloadFFmpegSheet.h"

namespace VMCNetworkScreenshots {

namespace {

// The FFmpeg's texts once the window's refresh has read them.
bool textsShown(VVCConfigFFmpegWindow* window) {
    return ScreenshotSupport::waitFor(
        [window] {
            const QString text = window->codecsText()->toPlainText();
            return text != QString::fromUtf8(VVCConfigFFmpeg::kPleaseWait) && !text.isEmpty();
        },
        "the FFmpeg's texts");
}

}  // namespace

bool shootAll(const Save& save) {
    bool ok = true;
    {
        VVCConfigFFmpegWindow window;
        window.resize(window.sizeHint());
        ok = textsShown(&window) && ok;
        ok = save(&window, QStringLiteral("ffmpeg")) && ok;
        window.tabs()->setCurrentWidget(window.codecsText());
        ok = save(&window, QStringLiteral("ffmpeg-codecs")) && ok;
        // The sheet as a download shows it: the size known, a third of it there.
        window.openDownloadSheet();
        if (VVCDownloadFFmpegSheet* sheet = window.downloadSheet()) {
            window.showDownloadProgress(14'200'000, 42'600'000);
            ok = save(sheet, QStringLiteral("ffmpeg-download")) && ok;
        }
        window.closeDownloadSheet();
    }
    {
        VMCPanelHostWindow* launcher = VMCPanelHostWindow::openLauncher();
        auto* view = qobject_cast<VMCLauncherView*>(launcher->panelView());
        if (view != nullptr) {
            view->showUpdateLink("update to 2.4.1");
            ok = save(launcher, QStringLiteral("launcher-update")) && ok;
        } else {
            std::fprintf(stderr, "no launcher\n");
            ok = false;
        }
        launcher->close();
    }
    return ok;
}

}  // namespace VMCNetworkScreenshots
