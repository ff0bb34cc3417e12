#include "VMCSheetScreenshots.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <cstdio>
#include <string>

#include "ScreenshotSupport.h"
#include "VAConcatenateOrderDialogView.h"
#include "VMCEffectListWidget.h"
#include "VMCEncoderPageMultiEnc.h"
#include "VMCEncoderSettingsPopupSheet.h"
#include "VMCErrorHandler.h"
#include "VMCErrorHandlerWindow.h"
#include "VMCMultiEncConfig.h"
#include "VMCMultiEncConfigureEncoderSheet.h"
#include "VMCPageWidget.h"
#include "VMCPanelHostWindow.h"
#include "VMCPreConvertDialogView.h"
#include "VMCProfileNameDialog.h"
#include "VMCQtText.h"
#include "XFindProgram.h"
#include "XRegistry.h"
#include "XWorkerProcess.h"

namespace VMCSheetScreenshots {

namespace {

using ScreenshotSupport::waitFor;

// A home folder with three short clips of a holiday, so that paths and lengths read as
// they do for a user.
class Home {
public:
    Home() {
        QDir().mkpath(mHome.filePath(QStringLiteral("Videos/Holiday")));
        for (const auto& [name, seconds] : kClips) {
            makeClip(clip(name), seconds);
        }
    }
    XStr clip(const char* name) const {
        return VMCQtText::pathFromQt(
            mHome.filePath(QStringLiteral("Videos/Holiday/") + QString::fromUtf8(name)));
    }
    XStrList clips() const {
        XStrList out;
        for (const auto& [name, seconds] : kClips) {
            out.push_back(clip(name));
        }
        return out;
    }

    static constexpr std::pair<const char*, int> kClips[] = {
        {"Arrival at the harbour.mkv", 3}, {"Beach.mkv", 2}, {"Sunset from the old fort.mkv", 4}};

private:
    // A clip of that length when FFmpeg is there; an empty file (length unknown) else.
    static void makeClip(const XStr& path, int seconds) {
        const XStr ffmpeg = XFindProgram(XStr("ffmpeg"));
        const XStr length = XStr::number(static_cast<int64_t>(seconds));
        XWorkerProcess process;
        if (ffmpeg.empty() ||
            !process.Create(
                {ffmpeg, "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                 "testsrc=size=160x120:rate=10:duration=" + length, "-c:v", "mpeg4", path},
                0) ||
            process.Stop(XWorkerProcess::kWaitForever) != 0) {
            QFile file(QFile::decodeName(path.utf8().c_str()));
            file.open(QIODevice::WriteOnly);
        }
    }

    ScreenshotSupport::TemporaryHome mHome;
};

bool shootJoining(const Save& save, VMCPanelHostWindow& window, const Home& home) {
    VMCPanelHost& host = window.host();
    host.beginConcatenate(home.clips(), host.currentPanel());
    auto* order = qobject_cast<VAConcatenateOrderDialogView*>(window.panelView());
    bool ok = order != nullptr && waitFor(
                                      [order] {
                                          return order->totalLabel()->text().startsWith(
                                              QStringLiteral("Total length: 0"));
                                      },
                                      "the lengths of the files to join");
    if (order == nullptr) {
        return false;
    }
    order->list()->setCurrentRow(1);
    ok = save(&window, QStringLiteral("join-order")) && ok;
    order->dialog().onProceed();
    ok = waitFor([&] { return qobject_cast<VMCPreConvertDialogView*>(window.panelView()); },
                 "the setup of the joined files") &&
         ok;
    if (auto* setup = qobject_cast<VMCPreConvertDialogView*>(window.panelView())) {
        setup->dialog().locationPicker().applyNaming(VMCFileNaming::namingSingleFolder(
            VMCQtText::pathFromQt(QDir::homePath() + QStringLiteral("/Videos/Joined"))));
    }
    ok = save(&window, QStringLiteral("join-converter-setup")) && ok;
    if (auto* setup = qobject_cast<VMCPreConvertDialogView*>(window.panelView())) {
        setup->dialog().onButtonCancel();
    }
    if (auto* back = qobject_cast<VAConcatenateOrderDialogView*>(window.panelView())) {
        back->dialog().removeFile(2);
        back->dialog().removeFile(1);
        ok = save(&window, QStringLiteral("join-order-one-file")) && ok;
        back->dialog().onBack();
    }
    return ok;
}

bool shootMultiEncoder(const Save& save, VMCPanelHostWindow& window, const Home& home) {
    VMCPanelHost& host = window.host();
    host.sourceFilesChosen({home.clips()[1]});
    auto* setup = qobject_cast<VMCPreConvertDialogView*>(window.panelView());
    if (setup == nullptr || !setup->dialog().encoderSelected(XStr("[Multi Encoder]"))) {
        std::fprintf(stderr, "no multi encoder\n");
        return false;
    }
    auto* page = dynamic_cast<VMCEncoderPageMultiEnc*>(setup->dialog().encoderPage());
    if (page == nullptr) {
        return false;
    }
    // Two encoders configured (whatever the light pass left): one with the main naming and
    // an effect, one into a folder.
    while (!page->configuration().entries().empty()) {
        page->removeEntry(0);
    }
    for (const char* encoder : {"MP4 (H264)", "Audio Extract (MP3)"}) {
        std::unique_ptr<VMCMultiEncConfigureEncoder> sheet = page->addEntry();
        sheet->chooseEncoder(encoder);
        if (XStr(encoder) == "MP4 (H264)") {
            sheet->setNamingType(VMCFileNaming::kUseParent);
            sheet->setDspEffects({{"Flip", "-vf hflip"}});
        } else {
            sheet->setFileNaming(VMCFileNaming::namingSingleFolder(
                VMCQtText::pathFromQt(QDir::homePath() + QStringLiteral("/Music"))));
        }
        sheet->onOK();
        page->confirmAdd(*sheet);
    }
    setup->encoderPageChanged();
    bool ok = save(&window, QStringLiteral("multi-encoder"));

    QWidget* shown = nullptr;
    QObject::connect(setup->pageWidget(), &VMCPageWidget::sheetOpened,
                     [&shown](QWidget* sheet) { shown = sheet; });
    QTest::mouseClick(setup->pageWidget()->editorFor("edit1"), Qt::LeftButton);
    if (auto* sheet = qobject_cast<VMCMultiEncConfigureEncoderSheet*>(shown)) {
        ok = save(sheet, QStringLiteral("multi-encoder-configure")) && ok;
        sheet->reject();
    } else {
        std::fprintf(stderr, "no configure sheet\n");
        ok = false;
    }
    setup->dialog().encoderSelected(XStr("MP4 (H264)"));
    setup->dialog().onButtonCancel();
    return ok;
}

bool shootProfileQuestions(const Save& save, VMCPanelHostWindow& window, const Home& home) {
    XRegistry::SetDWORD("vMCAllowProfiles", 1);
    VMCPanelHost& host = window.host();
    host.sourceFilesChosen({home.clips()[0]});
    auto* setup = qobject_cast<VMCPreConvertDialogView*>(window.panelView());
    bool ok = setup != nullptr;
    QWidget* shown = nullptr;
    if (setup != nullptr) {
        QObject::connect(setup, &VMCPreConvertDialogView::dialogShown,
                         [&shown](QWidget* dialog) { shown = dialog; });
        setup->dialog().encoderSelected(XStr("MP4 (H264)"));
        setup->dialog().encoderSelected(XStr(VMCCreateProfile::kCreateItem));
        auto* sheet = qobject_cast<VMCProfileNameDialog*>(shown);
        if (sheet != nullptr) {
            sheet->nameField()->setText(QStringLiteral("Phone\\Tablet"));
            sheet->accept();
            // The alert that says why, over the sheet.
            if (auto* alert = qobject_cast<QMessageBox*>(shown)) {
                ok = save(alert, QStringLiteral("new-profile-refused")) && ok;
                alert->accept();
            }
            sheet->nameField()->setText(QStringLiteral("Phone"));
            sheet->accept();
        }
        setup->dialog().encoderSelected(XStr(VMCCreateProfile::kDeleteItem));
        if (auto* question = qobject_cast<QMessageBox*>(shown)) {
            ok = save(question, QStringLiteral("delete-profile")) && ok;
            for (QAbstractButton* button : question->buttons()) {
                if (button->text() == QLatin1String(VMCCreateProfile::kYes)) {
                    button->click();
                }
            }
        }
        setup->dialog().onButtonCancel();
    }
    XRegistry::SetDWORD("vMCAllowProfiles", 0);
    return ok;
}

bool shootEncoderSettings(const Save& save) {
    VMCEncoderSettingsPopupSheet sheet("MP4 (H264)", VAEncoderArgs(), nullptr);
    return save(&sheet, QStringLiteral("encoder-settings-sheet"));
}

bool shootBugReport(const Save& save) {
    const XStr report = VMCErrorHandler::reportText(
        {"std::runtime_error",
         "the panel has no title",
         "caused by std::invalid_argument: no title in the catalogue\n",
         {"/usr/bin/vantaro-video(_ZN16VMCPanelHostBase9showPanelESt10shared_ptrI8VMCPanelE+0x9a) "
          "[0x55d0c8a4f2c0]",
          "/usr/bin/vantaro-video(_ZN12VMCPanelHost14preConvertFromERKSt6vectorI... +0x2f1) "
          "[0x55d0c8a51e31]",
          "/lib/x86_64-linux-gnu/libQt6Core.so.6(_ZN7QObject5eventEP6QEvent+0x2a8) "
          "[0x7f4ad7d5f9b8]",
          "/lib/x86_64-linux-gnu/libc.so.6(__libc_start_main+0x85) [0x7f4ad7a45305]"}});
    VMCErrorHandlerWindow window(
        std::make_shared<VMCErrorHandler>(report + VMCErrorHandler::versionsText()));
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    return save(&window, QStringLiteral("bug-report"));
}

}  // namespace

bool shootAll(const Save& save) {
    const Home home;
    auto* window = new VMCPanelHostWindow(VMCPanelHost::newLauncher());
    window->show();
    bool ok = shootJoining(save, *window, home);
    ok = shootMultiEncoder(save, *window, home) && ok;
    ok = shootProfileQuestions(save, *window, home) && ok;
    window->close();
    ok = shootEncoderSettings(save) && ok;
    ok = shootBugReport(save) && ok;
    return ok;
}

}  // namespace VMCSheetScreenshots
