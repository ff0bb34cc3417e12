// The FFmpeg window as a user meets it: opened from the preferences and from the setup
// panel's "Install missing codecs", it shows what the FFmpeg in use says of itself; a build
// downloaded from a server on the loopback interface is installed and reverted, a download
// is cancelled from its sheet, and an FFmpeg is chosen in the chooser.
#include "VVCConfigFFmpegWindow.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <cstdlib>
#include <memory>

#include "GuiAccessibility.h"
#include "GuiMenus.h"
#include "GuiSetupWindow.h"
#include "GuiTestSupport.h"
#include "LoopbackWebServer.h"
#include "MediaSupport.h"
#include "TestSupport.h"
#include "VALocateFFmpeg.h"
#include "VAWebServer.h"
#include "VMCPanelHostWindow.h"
#include "VVCConfigOptionsView.h"
#include "VVCDownloadFFmpegSheet.h"
#include "XFindProgram.h"
#include "XRegistry.h"

namespace {

using Option = VVCConfigFFmpegView::Option;
using GuiTest::lastShown;
using GuiTest::waitUntil;

// Generous: a download, an unpacking and three FFmpeg runs on a loaded machine. Every wait
// ends as soon as its condition holds.
constexpr int kLongMs = 120000;

QString plain(const std::string& text) {
    return QString::fromStdString(text);
}

// What the FFmpeg writes on its standard output for one option, run by the test itself.
std::string says(const std::string& ffmpeg, const char* option) {
    std::string out;
    EXPECT_EQ(runProgram({ffmpeg, option}, &out), 0) << ffmpeg << " " << option;
    return out;
}

class FFmpegWindow : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"bin", "pack", "pack/bin", "tmp"}) {
            ASSERT_EQ(mkdir(mDir.file(folder).c_str(), 0700), 0);
        }
        ASSERT_FALSE(mSystem.empty());
        // The internal FFmpeg names itself in its three texts and lists no GPL encoder, so
        // that the setup panel offers to install one; everything else the system's does.
        writeExecutable(mDir.file("bin/ffmpeg"),
                        "#!/bin/sh\n"
                        "case \"$1\" in\n"
                        "  -version) echo 'ffmpeg version internal'; exit 0 ;;\n"
                        "  -L) echo 'licence internal'; exit 0 ;;\n"
                        "  -codecs) echo 'codecs internal'; exit 0 ;;\n"
                        "esac\n"
                        "for a in \"$@\"; do [ \"$a\" = -encoders ] && exit 0; done\n"
                        "exec '" +
                            mSystem + "' \"$@\"\n");
        mPath = std::make_unique<ScopedEnv>(
            "PATH", (mDir.file("bin") + ":" + std::string(std::getenv("PATH"))).c_str());
        // A build as the server offers it: the system's FFmpeg as bin/ffmpeg.
        ASSERT_EQ(runProgram({"/bin/cp", mSystem, mDir.file("pack/bin/ffmpeg")}), 0);
        ASSERT_EQ(runProgram({XFindProgram("tar").utf8(), "-C", mDir.file("pack"), "-cjf",
                              mDir.file("build.tar.bz2"), "bin"}),
                  0);
        VALocateFFmpeg::revertToInternal();
        VALocateFFmpeg::resetCachesForTesting();
    }
    void TearDown() override {
        VALocateFFmpeg::revertToInternal();
        mPath.reset();
        VALocateFFmpeg::resetCachesForTesting();
        XRegistry::DeleteValue(VAWebServer::kHostSetting);
        XRegistry::DeleteValue(VAWebServer::kSchemeSetting);
    }
    static std::string primaryPath() {
        std::string machine;
        runProgram({"/bin/uname", "-m"}, &machine);
        return "/install/ffmpeg-linux-" + machine.substr(0, machine.find('\n')) +
               "-vavideo.tar.bz2";
    }
    std::string internal() const { return mDir.file("bin/ffmpeg"); }
    static std::string external() { return VALocateFFmpeg::pathToExternalFFmpeg().utf8(); }

    // The window from the preferences' "FFmpeg..." button, pressed with its mnemonic.
    VVCConfigFFmpegWindow* openFromPreferences() {
        VVCConfigOptionsView* options = VVCConfigOptionsView::showOptions(&mWindow);
        options->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(options));
        QSignalSpy shown(options, &VVCConfigOptionsView::sheetShown);
        // A mnemonic goes to the control that has the keyboard in the window, as a key does.
        EXPECT_TRUE(waitUntil([options] {
            return QApplication::focusWidget() != nullptr &&
                   QApplication::focusWidget()->window() == options;
        }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
        EXPECT_TRUE(waitUntil([&shown] { return !shown.isEmpty(); }));
        auto* window = lastShown<VVCConfigFFmpegWindow>(shown);
        if (window != nullptr) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        options->close();
        return window;
    }
    // Each option button shows whether it is the one in use, and the line under them the
    // FFmpeg that converts.
    static void expectOption(VVCConfigFFmpegWindow* window, Option on, const std::string& path) {
        for (const Option option : {Option::kInternal, Option::kAuto, Option::kCustom}) {
            EXPECT_EQ(window->optionButton(option)->isChecked(), option == on)
                << window->optionButton(option)->text().toStdString();
        }
        EXPECT_EQ(window->inUseLabel()->text(), QStringLiteral("In use: ") + plain(path));
    }
    // The three texts once the refresh has shown them.
    static bool showsTexts(VVCConfigFFmpegWindow* window, const std::string& version,
                           const std::string& licence, const std::string& codecs) {
        return waitUntil(
            [&] {
                return window->versionText()->toPlainText() == plain(version) &&
                       window->licenceText()->toPlainText() == plain(licence) &&
                       window->codecsText()->toPlainText() == plain(codecs);
            },
            kLongMs);
    }
    static void press(QRadioButton* button) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
    }

    TestTempDir mDir;
    const std::string mSystem = XFindProgram("ffmpeg").utf8();
    std::unique_ptr<ScopedEnv> mPath;
    // The downloaded archive and the unpacked build land here, and go.
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
    VMCPanelHostWindow mWindow{VMCPanelHost::newLauncher()};
};

TEST_F(FFmpegWindow, ShowsWhatTheFFmpegInUseSaysInstallsADownloadAndReverts) {
    std::atomic<int> requests{0};
    LoopbackServer server([&requests, bytes = readTextFile(mDir.file("build.tar.bz2"))](
                              LoopbackServer::Connection& c) {
        ++requests;
        const std::string target = LoopbackServer::targetOf(c.readRequestHead());
        c.write(target == primaryPath() ? LoopbackServer::response(200, bytes)
                                        : LoopbackServer::response(404, ""));
    });
    useLoopbackWebServer(server);
    mWindow.setAttribute(Qt::WA_DeleteOnClose, false);
    mWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mWindow));

    const QPointer<VVCConfigFFmpegWindow> window = openFromPreferences();
    ASSERT_FALSE(window.isNull());
    GuiTest::expectEveryControlNamed(window);
    expectOption(window, Option::kInternal, internal());
    EXPECT_TRUE(
        showsTexts(window, "ffmpeg version internal\n", "licence internal\n", "codecs internal\n"));
    for (QPlainTextEdit* text :
         {window->versionText(), window->licenceText(), window->codecsText()}) {
        EXPECT_TRUE(QFontInfo(text->font()).fixedPitch()) << text->objectName().toStdString();
        EXPECT_TRUE(text->isReadOnly());
    }

    // Download and install: the sheet comes and goes by itself.
    QSignalSpy shown(window.data(), &VVCConfigFFmpegWindow::dialogShown);
    QSignalSpy changed(window.data(), &VVCConfigFFmpegWindow::ffmpegChanged);
    press(window->optionButton(Option::kAuto));
    auto* sheet = lastShown<VVCDownloadFFmpegSheet>(shown);
    ASSERT_NE(sheet, nullptr);
    const QPointer<QWidget> sheetAlive(sheet);
    EXPECT_TRUE(waitUntil([&sheetAlive] { return sheetAlive.isNull() || !sheetAlive->isVisible(); },
                          kLongMs));
    EXPECT_EQ(shown.count(), 1) << "the sheet, and no alert after a download that worked";
    EXPECT_EQ(requests.load(), 1);
    expectOption(window, Option::kAuto, external());
    EXPECT_TRUE(readTextFile(external()) == readTextFile(mSystem));
    EXPECT_TRUE(fileExists(VALocateFFmpeg::pathToAutoMarker().utf8()));
    EXPECT_EQ(folderEntries(mDir.file("tmp")), std::vector<std::string>{});
    EXPECT_EQ(changed.count(), 1);
    // What the installed FFmpeg says, as it says it when the test asks it.
    EXPECT_TRUE(showsTexts(window, says(external(), "-version"), says(external(), "-L"),
                           says(external(), "-codecs")));
    EXPECT_TRUE(window->codecsText()->toPlainText().contains(QStringLiteral("h264")));

    // Back to the internal one, with its mnemonic.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    EXPECT_TRUE(waitUntil([&] { return !fileExists(external()); }));
    expectOption(window, Option::kInternal, internal());
    EXPECT_FALSE(fileExists(VALocateFFmpeg::pathToAutoMarker().utf8()));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_TRUE(
        showsTexts(window, "ffmpeg version internal\n", "licence internal\n", "codecs internal\n"));
    window->close();
    EXPECT_TRUE(waitUntil([&window] { return window.isNull(); }));
}

TEST_F(FFmpegWindow, CancelEndsTheDownloadAtOnceAndChangesNothing) {
    // A server that takes the request and never answers.
    LoopbackServer server([](LoopbackServer::Connection& c) {
        c.readRequestHead();
        c.stall();
    });
    useLoopbackWebServer(server);
    const QPointer<VVCConfigFFmpegWindow> window = VVCConfigFFmpegWindow::showPanel(nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QSignalSpy shown(window.data(), &VVCConfigFFmpegWindow::dialogShown);
    press(window->optionButton(Option::kAuto));
    auto* sheet = lastShown<VVCDownloadFFmpegSheet>(shown);
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    EXPECT_TRUE(sheet->isModal());
    EXPECT_EQ(sheet->progressBar()->maximum(), 0) << "no size known: the bar moves to and fro";
    ASSERT_TRUE(waitUntil([&server] { return server.requestHeads().size() == 1; }, kLongMs));
    EXPECT_EQ(LoopbackServer::targetOf(server.requestHeads()[0]), primaryPath());
    // While the sheet is open the other options do nothing.
    window->optionButton(Option::kCustom)->click();
    EXPECT_EQ(lastShown<VVCDownloadFFmpegSheet>(shown), sheet) << "no chooser over the sheet";
    EXPECT_TRUE(window->optionButton(Option::kAuto)->isChecked());
    EXPECT_FALSE(window->optionButton(Option::kCustom)->isChecked());

    const QPointer<QWidget> alive(sheet);
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_TRUE(alive.isNull() || !alive->isVisible()) << "the sheet goes at once";
    auto* alert = lastShown<QMessageBox>(shown);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), plain(VVCConfigFFmpeg::kDownloadFailed));
    EXPECT_EQ(alert->parentWidget(), window.data()) << "the alert belongs to the window";
    alert->accept();
    expectOption(window, Option::kInternal, internal());
    EXPECT_FALSE(fileExists(external()));
    EXPECT_FALSE(window->panel().openInProgress());
    // The cancelled download's temporary file is gone with it.
    EXPECT_TRUE(waitUntil([&] { return folderEntries(mDir.file("tmp")).empty(); }));
    window->close();
    EXPECT_TRUE(waitUntil([&window] { return window.isNull(); }));
}

TEST_F(FFmpegWindow, InstallMissingCodecsLeadsToTheChooser) {
    GuiTest::SetupWindow setup;
    ASSERT_NE(setup.view, nullptr);
    QSignalSpy setupShown(setup.view, &VMCPreConvertDialogView::dialogShown);
    GuiTest::chooseFromCombo(setup.view->encoderPicker(),
                             plain(VMCPreConvertDialog::kInstallCodecs));
    const QPointer<VVCConfigFFmpegWindow> window = lastShown<VVCConfigFFmpegWindow>(setupShown);
    ASSERT_FALSE(window.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    expectOption(window, Option::kInternal, internal());

    // A file that is no FFmpeg and no archive is refused with the reason; then the copy of
    // the system's FFmpeg.
    writeTextFile(mDir.file("notes.txt"), "nothing\n");
    QSignalSpy shown(window.data(), &VVCConfigFFmpegWindow::dialogShown);
    const auto choose = [&](const std::string& path) {
        press(window->optionButton(Option::kCustom));
        auto* chooser = lastShown<QFileDialog>(shown);
        ASSERT_NE(chooser, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser));
        EXPECT_EQ(chooser->fileMode(), QFileDialog::ExistingFile);
        EXPECT_TRUE(window->optionButton(Option::kCustom)->isChecked());
        // Typed as a whole path into the name field, and Return.
        auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setFocus();
        QTest::keyClicks(name, plain(path));
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_TRUE(waitUntil([chooser = QPointer<QWidget>(chooser)] {
            return chooser.isNull() || !chooser->isVisible();
        }));
    };
    choose(mDir.file("notes.txt"));
    auto* alert = lastShown<QMessageBox>(shown);
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->text().startsWith(plain(VVCConfigFFmpeg::kInstallFailed)))
        << alert->text().toStdString();
    alert->accept();
    expectOption(window, Option::kInternal, internal());
    shown.clear();
    choose(mDir.file("pack/bin/ffmpeg"));
    EXPECT_EQ(shown.count(), 1) << "the chooser, and no alert";
    expectOption(window, Option::kCustom, external());
    EXPECT_TRUE(readTextFile(external()) == readTextFile(mSystem));
    EXPECT_FALSE(fileExists(VALocateFFmpeg::pathToAutoMarker().utf8()));

    // A chooser cancelled changes nothing.
    press(window->optionButton(Option::kInternal));
    EXPECT_FALSE(fileExists(external()));
    press(window->optionButton(Option::kCustom));
    auto* chooser = lastShown<QFileDialog>(shown);
    ASSERT_NE(chooser, nullptr);
    static_cast<QDialog*>(chooser)->reject();
    expectOption(window, Option::kInternal, internal());
    window->close();
    EXPECT_TRUE(waitUntil([&window] { return window.isNull(); }));
}

}  // namespace
