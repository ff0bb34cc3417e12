// A conversion in the desktop program as a user goes through it after pressing Convert:
// the check, the sheet for files that exist, the progress panel and the status log, with
// the real FFmpeg on clips made for the test.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTreeView>
#include <atomic>
#include <memory>
#include <thread>

#include "GuiTestSupport.h"
#include "MediaSupport.h"
#include "TestSupport.h"
#include "VMCCheckingPanelView.h"
#include "VMCLauncherView.h"
#include "VMCPanelHostWindow.h"
#include "VMCProgressPanelView.h"
#include "VMCQtMainThreadPoster.h"
#include "VMCQtText.h"
#include "VMCStatusLogPanelView.h"
#include "XRegistry.h"

namespace {

template <typename Condition>
bool waitFor(Condition condition) {
    return GuiTest::waitUntil(condition, GuiTest::kConversionDeadlineMs);
}

QString rowText(const QAbstractItemModel& model, int row, const QModelIndex& parent = {}) {
    return model.index(row, 0, parent).data().toString();
}

class DesktopConversion : public ::testing::Test {
protected:
    void SetUp() override {
        XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
        ASSERT_EQ(mkdir(mDir.file("out").c_str(), 0755), 0);
        mWindow = new VMCPanelHostWindow(VMCPanelHost::newLauncher());
        mWindow->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mWindow));
    }
    void TearDown() override {
        if (mWindow) {
            mWindow->close();
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::string clip(const std::string& name) {
        TestClip clip;
        clip.seconds = 1.0;
        clip.size = "160x120";
        const std::string path = mDir.file(name);
        EXPECT_TRUE(makeTestClip(path, clip)) << name;
        return path;
    }
    std::string out(const std::string& name) const { return mDir.file("out/" + name); }

    // What the setup panel leaves when the user presses Convert: the files taken, "MP4
    // (H264)" chosen, every output into one folder.
    void convert(const std::vector<std::string>& files) {
        VMCPanelHost& host = mWindow->host();
        std::vector<VAConvertSource::Item> sources;
        for (const std::string& file : files) {
            sources.emplace_back(XStr(file));
        }
        host.preConvertFrom(sources, host.currentPanel());
        mSetupPanel = host.currentPanel();
        VMCConfig& config = *host.sharedConfig();
        config.setActiveProfileName("MP4 (H264)");
        ASSERT_NE(config.activeProfile(), nullptr);
        config.activeProfile()->setFileNaming(VMCFileNaming::namingSingleFolder(mDir.xfile("out")));
        host.preConvertDone();
    }
    template <typename View>
    View* waitForView() {
        return GuiTest::waitForPanel<View>(*mWindow);
    }
    VMCFileAlreadyExistsSheet* waitForSheet() {
        VMCFileAlreadyExistsSheet* sheet = nullptr;
        waitFor([&] {
            auto* checking = qobject_cast<VMCCheckingPanelView*>(mWindow->panelView());
            sheet = checking != nullptr ? checking->sheet() : nullptr;
            return sheet != nullptr && sheet->isVisible();
        });
        return sheet;
    }
    // The progress panel at its end: the bar full, Cancel become Finish.
    VMCProgressPanelView* waitUntilFinished() {
        auto* progress = waitForView<VMCProgressPanelView>();
        if (progress == nullptr) {
            return nullptr;
        }
        QPointer<QPushButton> cancel = progress->findChild<QPushButton*>(QStringLiteral("cancel"));
        waitFor([&] { return cancel.isNull() || cancel->text() == QStringLiteral("&Finish"); });
        return qobject_cast<VMCProgressPanelView*>(mWindow->panelView());
    }
    static void expectPlayable(const std::string& path) {
        EXPECT_TRUE(fileExists(path)) << path;
        EXPECT_EQ(probeValue(path, "v:0", "codec_name"), "h264") << path;
        EXPECT_GT(probeDuration(path), 0.5) << path;
    }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    QPointer<VMCPanelHostWindow> mWindow;
    std::shared_ptr<VMCPanel> mSetupPanel;
};

// Two clips into one folder: the bar reaches 100 %, the log lists both, both outputs play.
TEST_F(DesktopConversion, TwoClipsConvertIntoOneFolder) {
    const std::string a = clip("first clip.mov");
    const std::string b = clip("second.mov");
    convert({a, b});
    VMCProgressPanelView* progress = waitUntilFinished();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->findChild<QProgressBar*>(QStringLiteral("overall"))->value(), 100);
    EXPECT_EQ(mWindow->windowTitle(), QStringLiteral("[Finished] Video Converter"));
    expectPlayable(out("first clip.mp4"));
    expectPlayable(out("second.mp4"));

    auto* showLog = progress->findChild<QPushButton*>(QStringLiteral("showLog"));
    ASSERT_TRUE(showLog->isEnabled());
    QTest::mouseClick(showLog, Qt::LeftButton);
    auto* log = waitForView<VMCStatusLogPanelView>();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(mWindow->windowTitle(), QStringLiteral("Conversion Status Information"));
    EXPECT_EQ(log->listOf(VMCStatusLogDialog::Tab::kErrors), nullptr) << "no errors, no tab";
    QTreeView* info = log->listOf(VMCStatusLogDialog::Tab::kInformation);
    ASSERT_NE(info, nullptr);
    const QAbstractItemModel& model = *info->model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(rowText(model, 0),
              QStringLiteral("Information converting to MP4 (H264), 'first clip.mov' to '%1'")
                  .arg(QString::fromStdString(out("first clip.mp4"))));
    EXPECT_EQ(rowText(model, 1),
              QStringLiteral("Information converting to MP4 (H264), 'second.mov' to '%1'")
                  .arg(QString::fromStdString(out("second.mp4"))));
    EXPECT_GT(model.rowCount(model.index(0, 0)), 0) << "each file's lines under its header";
    EXPECT_TRUE(info->isExpanded(model.index(0, 0)));

    auto* copy = log->findChild<QPushButton*>(QStringLiteral("copy"));
    EXPECT_EQ(copy->text(), QStringLiteral("&Copy Info to Clipboard"));
    QTest::mouseClick(copy, Qt::LeftButton);
    const QStringList copied = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    EXPECT_EQ(copied.front(), rowText(model, 0));
    EXPECT_EQ(copied.filter(QStringLiteral("Information converting")).size(), 2);

    QTest::mouseClick(log->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    EXPECT_NE(waitForView<VMCLauncherView>(), nullptr) << "OK leads back to the launcher";
}

// One output exists: Escape on the sheet goes back to the setup; the second time "No to
// All" leaves the old file as it was and converts the other.
TEST_F(DesktopConversion, TheSheetKeepsAFileThatExists) {
    const std::string a = clip("a.mov");
    const std::string b = clip("b.mov");
    writeTextFile(out("a.mp4"), "the user's own file");
    convert({a, b});
    VMCFileAlreadyExistsSheet* sheet = waitForSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->isModal());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    const QAbstractItemModel& items = *sheet->table()->model();
    ASSERT_EQ(items.rowCount(), 1);
    EXPECT_EQ(items.index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_TRUE(items.index(0, 1).data().toString().endsWith(QStringLiteral("out/a")));
    QPointer<VMCFileAlreadyExistsSheet> watched = sheet;
    QTest::keyClick(sheet, Qt::Key_Escape);
    ASSERT_TRUE(waitFor([&] { return mWindow->host().currentPanel() == mSetupPanel; }));
    EXPECT_TRUE(waitFor([&] { return watched.isNull() || !watched->isVisible(); }));
    EXPECT_FALSE(fileExists(out("b.mp4"))) << "nothing converted after Cancel";

    mWindow->host().preConvertDone();
    sheet = waitForSheet();
    ASSERT_NE(sheet, nullptr);
    auto* noToAll = sheet->findChild<QPushButton*>(QStringLiteral("noToAll"));
    ASSERT_NE(noToAll, nullptr);
    EXPECT_EQ(noToAll->text(), QStringLiteral("&No to All"));
    QTest::mouseClick(noToAll, Qt::LeftButton);
    VMCProgressPanelView* progress = waitUntilFinished();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->findChild<QProgressBar*>(QStringLiteral("overall"))->value(), 100);
    EXPECT_EQ(readTextFile(out("a.mp4")), "the user's own file");
    expectPlayable(out("b.mp4"));
}

// A file FFmpeg cannot read: its error is in the log, which shows by itself, and no output
// of it is left behind.
TEST_F(DesktopConversion, ABrokenSourceShowsItsErrorInTheLog) {
    writeTextFile(mDir.file("broken.mov"), "this is not a video at all");
    convert({mDir.file("broken.mov")});
    auto* log = waitForView<VMCStatusLogPanelView>();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(mWindow->windowTitle(), QStringLiteral("Conversion Errors & Status Information"));
    QTreeView* errors = log->listOf(VMCStatusLogDialog::Tab::kErrors);
    ASSERT_NE(errors, nullptr);
    EXPECT_TRUE(errors->isVisible()) << "the errors tab is the one shown";
    const QAbstractItemModel& model = *errors->model();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(rowText(model, 0), QStringLiteral("Error converting to MP4 (H264), 'broken.mov' "
                                                "to '%1'")
                                     .arg(QString::fromStdString(out("broken.mp4"))));
    const QModelIndex header = model.index(0, 0);
    ASSERT_GT(model.rowCount(header), 0);
    QStringList lines;
    for (int i = 0; i < model.rowCount(header); ++i) {
        lines << rowText(model, i, header);
    }
    EXPECT_FALSE(lines.filter(QStringLiteral("Invalid data found")).isEmpty())
        << lines.join(QLatin1Char('\n')).toStdString();
    auto* reconvert = log->findChild<QPushButton*>(QStringLiteral("reconvert"));
    EXPECT_TRUE(reconvert->isVisible());
    EXPECT_EQ(folderEntries(mDir.file("out")), std::vector<std::string>{});

    // Escape leaves the log as OK does.
    QTest::keyClick(errors, Qt::Key_Escape);
    EXPECT_NE(waitForView<VMCLauncherView>(), nullptr);
}

// Pause and Resume change places, and Escape (Cancel) stops the jobs and goes back.
TEST_F(DesktopConversion, PauseResumeAndCancel) {
    std::atomic<int> started{0};
    std::atomic<bool> stopped{false};
    // A job that lasts until the conversion is stopped.
    mWindow->host().conversionRoad().setJobRunner([&](const VMCProcessArg& arg) {
        ++started;
        for (int i = 0; i < GuiTest::kConversionDeadlineMs / 10 && !arg.events->bEvtQuit; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        stopped = arg.events->bEvtQuit.load();
    });
    convert({clip("a.mov")});
    auto* progress = waitForView<VMCProgressPanelView>();
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(waitFor([&] { return started > 0; }));
    auto* pause = progress->findChild<QPushButton*>(QStringLiteral("pause"));
    auto* cancel = progress->findChild<QPushButton*>(QStringLiteral("cancel"));
    EXPECT_EQ(pause->text(), QStringLiteral("&Pause"));
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_EQ(pause->text(), QStringLiteral("&Resume"));
    QTest::mouseClick(pause, Qt::LeftButton);
    EXPECT_EQ(pause->text(), QStringLiteral("&Pause"));
    EXPECT_EQ(cancel->text(), QStringLiteral("&Cancel"));
    // Escape is Cancel.
    QTest::keyClick(pause, Qt::Key_Escape);
    EXPECT_NE(waitForView<VMCLauncherView>(), nullptr);
    EXPECT_TRUE(waitFor([&] { return stopped.load(); }));
}

}  // namespace
