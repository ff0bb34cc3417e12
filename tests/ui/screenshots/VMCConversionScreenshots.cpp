#include "VMCConversionScreenshots.h"

#include <poll.h>

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "ScreenshotSupport.h"
#include "VMCCheckingPanel.h"
#include "VMCCheckingPanelView.h"
#include "VMCPanelHostWindow.h"
#include "VMCProgressPanel.h"
#include "VMCQtText.h"
#include "VMCStatusLogPanelView.h"
#include "XPath.h"
#include "XRegistry.h"

namespace VMCConversionScreenshots {

namespace {

using ScreenshotSupport::waitFor;

// A home folder with videos in it, so that paths read as they do for a user.
class Home {
public:
    Home() {
        QDir().mkpath(mHome.filePath(QStringLiteral("Videos/Converted")));
        for (const char* name : kNames) {
            QFile file(videos(name));
            if (file.open(QIODevice::WriteOnly)) {
                // Sizes tell the overall bar how much each file weighs.
                file.write(QByteArray(200000 * static_cast<int>(std::strlen(name)), '\0'));
            }
        }
    }
    QString videos(const char* name) const {
        return mHome.filePath(QStringLiteral("Videos/") + QString::fromUtf8(name));
    }
    XStr convertedFolder() const {
        return VMCQtText::pathFromQt(mHome.filePath(QStringLiteral("Videos/Converted")));
    }
    QString converted(const char* name) const {
        return mHome.filePath(QStringLiteral("Videos/Converted/") + QString::fromUtf8(name));
    }
    std::vector<VAConvertSource::Item> sources() const {
        std::vector<VAConvertSource::Item> items;
        for (const char* name : kNames) {
            items.emplace_back(VMCQtText::pathFromQt(videos(name)));
        }
        return items;
    }

    static constexpr const char* kNames[] = {"Holiday 2023.mov", "interview.mov",
                                             "screen capture with a rather long name.mkv"};

private:
    ScreenshotSupport::TemporaryHome mHome;
};

// What the setup panel leaves when Convert is pressed: the sources taken, "MP4 (H264)"
// into the folder "Converted", with this naming when given.
void setUp(VMCPanelHost& host, const Home& home, std::optional<VMCFileNaming> naming = {}) {
    host.preConvertFrom(home.sources(), host.currentPanel());
    VMCConfig& config = *host.sharedConfig();
    config.setActiveProfileName("MP4 (H264)");
    if (const VMCConfig::ProfilePtr profile = config.activeProfile()) {
        profile->setFileNaming(naming ? *naming
                                      : VMCFileNaming::namingSingleFolder(home.convertedFolder()));
    }
}

bool shootChecking(const Save& save, VMCPanelHostWindow& window, const Home& home) {
    VMCPanelHost& host = window.host();
    // The first two names are made at once; the third one's tags take their time.
    auto probed = std::make_shared<std::atomic<int>>(0);
    host.conversionRoad().setCheckProber([probed](const XStr& /*path*/, int stopFD) {
        if (++*probed >= 3) {
            pollfd fd{stopFD, POLLIN, 0};
            poll(&fd, 1, 60000);
        }
        return std::make_shared<VAMediaFileInfo>();
    });
    VMCFileNaming naming = VMCFileNaming::namingPreservePath(home.convertedFolder());
    naming.setDynamicFormat("[artist]/[title]");
    setUp(host, home, naming);
    host.preConvertDone();
    auto panel = std::dynamic_pointer_cast<VMCCheckingPanel>(host.currentPanel());
    bool ok = panel && waitFor([&] { return panel->percentDone() == 66; }, "the check at 2 of 3");
    QTest::qWait(250);
    ok = ok && save(&window, QStringLiteral("converter-checking"));
    if (panel) {
        panel->onCancel();
    }
    host.conversionRoad().setCheckProber(nullptr);
    return ok;
}

bool shootExistingFiles(const Save& save, VMCPanelHostWindow& window, const Home& home) {
    VMCPanelHost& host = window.host();
    for (const char* name : {"Holiday 2023.mp4", "interview.mp4"}) {
        QFile file(home.converted(name));
        file.open(QIODevice::WriteOnly);
    }
    setUp(host, home);
    host.preConvertDone();
    VMCFileAlreadyExistsSheet* sheet = nullptr;
    bool ok = waitFor(
        [&] {
            auto* view = qobject_cast<VMCCheckingPanelView*>(window.panelView());
            sheet = view != nullptr ? view->sheet() : nullptr;
            return sheet != nullptr && sheet->isVisible();
        },
        "the existing-files sheet");
    ok = ok && save(sheet, QStringLiteral("existing-files"));
    if (sheet != nullptr) {
        sheet->reject();
    }
    waitFor([&] { return qobject_cast<VMCCheckingPanelView*>(window.panelView()) == nullptr; },
            "the sheet cancelled");
    for (const char* name : {"Holiday 2023.mp4", "interview.mp4"}) {
        QFile::remove(home.converted(name));
    }
    return ok;
}

bool shootProgress(const Save& save, VMCPanelHostWindow& window, const Home& home) {
    VMCPanelHost& host = window.host();
    // Jobs that say how far they are and then hold until the conversion is stopped.
    host.conversionRoad().setJobRunner([](const VMCProcessArg& arg) {
        const bool first = XPath::fileName(arg.urlTo).startsWith("Holiday");
        arg.callback->onLengthMS(first ? 754000 : 182000);
        arg.callback->onPercentDone(first ? 38 : 71);
        arg.callback->onFPS(first ? 61.2 : 48.4);
        while (!arg.events->bEvtQuit) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    setUp(host, home);
    host.preConvertDone();
    std::shared_ptr<VMCProgressDialog> dialog;
    bool ok = waitFor(
        [&] {
            auto panel = std::dynamic_pointer_cast<VMCProgressPanel>(host.currentPanel());
            dialog = panel ? panel->dialog() : nullptr;
            return dialog && !dialog->labelProgressLeft().empty() &&
                   !dialog->labelProgressSpeed().empty() && dialog->elapsedMs() >= 2000;
        },
        "the progress panel with time left and speed");
    ok = ok && save(&window, QStringLiteral("converter-progress"));
    if (dialog) {
        dialog->onCancel();
    }
    return ok;
}

bool shootStatusLog(const Save& save, VMCPanelHostWindow& window, const Home& home) {
    VMCPanelHost& host = window.host();
    const std::string broken = VMCQtText::pathFromQt(home.videos("interview.mov")).utf8();
    host.conversionRoad().setJobRunner([broken](const VMCProcessArg& arg) {
        arg.callback->onInfoLine("ffmpeg -hide_banner -nostdin -i \"" +
                                 arg.srcFrom->urlForConversion + "\" -c:v libx264 -crf 23 \"" +
                                 arg.urlTo + "\"");
        arg.callback->onInfoLine("Encoding loop...");
        if (arg.srcFrom->urlForConversion.utf8() == broken) {
            arg.callback->onErrorLine(
                "[mov,mp4,m4a,3gp,3g2,mj2 @ 0x55d0c8a4f2c0] moov atom not found");
            arg.callback->onErrorLine(XStr(broken) + ": Invalid data found when processing input");
        }
        arg.callback->onInfoLine("Encoding loop exit");
        arg.callback->onInfoLine("Encoding exit");
    });
    // Both logs shown at the end.
    XRegistry::SetDWORD(VMCProgressDialog::kSettingShowInfoLog, 1);
    setUp(host, home);
    host.preConvertDone();
    VMCStatusLogPanelView* log = nullptr;
    bool ok = waitFor(
        [&] {
            log = qobject_cast<VMCStatusLogPanelView*>(window.panelView());
            return log != nullptr && log->isVisible();
        },
        "the status log");
    ok = ok && save(&window, QStringLiteral("status-log-errors"));
    if (auto* tabs = log != nullptr ? log->findChild<QTabWidget*>() : nullptr) {
        tabs->setCurrentIndex(tabs->count() - 1);
        ok = save(&window, QStringLiteral("status-log-information")) && ok;
    }
    XRegistry::SetDWORD(VMCProgressDialog::kSettingShowInfoLog, 0);
    return ok;
}

}  // namespace

bool shootAll(const Save& save) {
    const Home home;
    auto* window = new VMCPanelHostWindow(VMCPanelHost::newLauncher());
    bool ok = shootChecking(save, *window, home);
    ok = shootExistingFiles(save, *window, home) && ok;
    ok = shootProgress(save, *window, home) && ok;
    ok = shootStatusLog(save, *window, home) && ok;
    window->close();
    return ok;
}

}  // namespace VMCConversionScreenshots
