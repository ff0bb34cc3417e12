// Files reach a converter window the other ways a user hands them over: dropped on the
// launcher or the window, and from outside (the command line, "Open With").
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCommandLinkButton>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "VMCLauncherView.h"
#include "VMCPanelHostWindow.h"
#include "VMCPreConvertDialogView.h"

namespace {

// A panel past the setup, as the checking or progress panel is.
struct ConvertingPanel : VMCPanel {
    XStr panelName() const override { return "Converting"; }
    XStr panelSizeClass() const override { return "Progress"; }
};

// The URL a file manager puts on a drag: every byte outside the plain set escaped.
QUrl fileUrl(const std::string& path) {
    return QUrl::fromEncoded(
        "file://" +
        QByteArray(path.data(), static_cast<qsizetype>(path.size())).toPercentEncoding("/"));
}

class VMCPanelHostWindowDrop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(mkdir(mDir.file("more").c_str(), 0755), 0);
        for (const char* name : {"caf\xe9 clip.mov", "more/x.mkv", "more/w.mp4"}) {
            writeTextFile(mDir.file(name), "");
        }
        mWindow = VMCPanelHostWindow::openLauncher();
        mWindow->setAttribute(Qt::WA_DeleteOnClose, false);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mWindow));
    }
    void TearDown() override { delete mWindow; }

    // Drags the paths onto the widget and drops them there, as a user does; answers whether
    // the window took the drag, and the drop.
    static std::pair<bool, bool> drop(QWidget* target, const std::vector<std::string>& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths) {
            urls.push_back(fileUrl(path));
        }
        data.setUrls(urls);
        const QPointF at(target->width() / 2.0, target->height() / 2.0);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                           Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
        return {enter.isAccepted(), dropped.isAccepted()};
    }
    std::vector<std::string> sourcePaths() const {
        std::vector<std::string> paths;
        for (const auto& source : mWindow->host().sources()) {
            paths.push_back(source->urlForConversion.utf8());
        }
        return paths;
    }

    TestTempDir mDir;
    QPointer<VMCPanelHostWindow> mWindow;
};

TEST_F(VMCPanelHostWindowDrop, FilesAndFoldersDroppedOnTheLauncherReachTheConverter) {
    auto* entry = mWindow->panelView()->findChild<QCommandLinkButton*>();
    ASSERT_NE(entry, nullptr);
    const std::string d = mDir.path();
    EXPECT_EQ(drop(entry, {d + "/caf\xe9 clip.mov", d + "/more"}), std::make_pair(true, true));
    ASSERT_TRUE(GuiTest::waitUntil(
        [&] { return qobject_cast<VMCPreConvertDialogView*>(mWindow->panelView()) != nullptr; }));
    EXPECT_EQ(sourcePaths(), (std::vector<std::string>{d + "/caf\xe9 clip.mov", d + "/more/w.mp4",
                                                       d + "/more/x.mkv"}))
        << "a name that is not UTF-8 keeps its bytes";
    EXPECT_EQ(
        qobject_cast<VMCPreConvertDialogView*>(mWindow->panelView())->fileCountButton()->text(),
        QStringLiteral("3 files"));
    EXPECT_EQ(mWindow->findChild<QMessageBox*>(), nullptr);

    // Dropped again on the converter, the files take the place of the others.
    EXPECT_EQ(drop(mWindow->panelView(), {d + "/more/x.mkv"}), std::make_pair(true, true));
    ASSERT_TRUE(GuiTest::waitUntil([&] { return sourcePaths().size() == 1; }));
    EXPECT_EQ(sourcePaths(), std::vector<std::string>{d + "/more/x.mkv"});
}

TEST_F(VMCPanelHostWindowDrop, WhatCannotBeConvertedIsTold) {
    const std::string gone = mDir.file("gone.mp4");
    EXPECT_EQ(drop(mWindow, {gone, mDir.file("more/w.mp4")}), std::make_pair(true, true));
    QMessageBox* box = nullptr;
    ASSERT_TRUE(GuiTest::waitUntil([&] {
        box = mWindow->findChild<QMessageBox*>(QStringLiteral("sourcesError"));
        return box != nullptr && box->isVisible();
    }));
    EXPECT_EQ(box->text(), QString::fromStdString("Some of what was dropped cannot be converted:\n"
                                                  "No such file: '" +
                                                  gone + "'"));
    EXPECT_EQ(sourcePaths(), std::vector<std::string>{mDir.file("more/w.mp4")}) << "the rest came";
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(GuiTest::waitUntil([&] { return !box->isVisible(); }));
}

// Nothing is taken once the setup is done: a drag is turned away, and so are the chooser
// and a drop that arrives regardless.
TEST_F(VMCPanelHostWindowDrop, WhileConvertingDropsAreRefused) {
    const std::string clip = mDir.file("more/w.mp4");
    mWindow->host().showPanel(std::make_shared<ConvertingPanel>());
    EXPECT_EQ(drop(mWindow->panelView(), {clip}), std::make_pair(false, false));
    QTest::qWait(50);
    EXPECT_TRUE(mWindow->host().sources().empty());
    EXPECT_FALSE(mWindow->host().collectingSources());
    EXPECT_EQ(mWindow->windowTitle(), QStringLiteral("Converting"));

    // Only local files are taken, also where drops are welcome.
    mWindow->host().returnToRoot();
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.com/clip.mp4"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(mWindow, &enter);
    EXPECT_FALSE(enter.isAccepted());
}

// Files from outside open a window in the converter's setup; cancelling closes the window,
// since there is no launcher to return to.
TEST(VMCPanelHostWindowForSources, OpensInTheConverterAndClosesOnBack) {
    const TestTempDir dir;
    writeTextFile(dir.file("a.mp4"), "");
    QPointer<VMCPanelHostWindow> window =
        VMCPanelHostWindow::openForSources({dir.xfile("a.mp4"), dir.xfile("b\xff.mov")});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Video Converter"));
    auto* view = qobject_cast<VMCPreConvertDialogView*>(window->panelView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->fileCountButton()->text(), QStringLiteral("2 files"));
    EXPECT_TRUE(window->host().suppressReturnToLauncher);
    auto* cancel = view->findChild<QPushButton*>(QStringLiteral("cancel"));
    ASSERT_NE(cancel, nullptr);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

}  // namespace
