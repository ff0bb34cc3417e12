// A converter window as the user meets it: the launcher, its entry, the file chooser and
// the converter's setup panel.
#include "VMCPanelHostWindow.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QApplication>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include "GuiTestSupport.h"
#include "TestSupport.h"
#include "VMCLauncher.h"
#include "VMCLauncherView.h"
#include "VMCPreConvertDialogView.h"

namespace {

QAction* menuAction(QMainWindow& window, const QString& text) {
    for (QAction* menu : window.menuBar()->actions()) {
        for (QAction* action : menu->menu()->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
    }
    return nullptr;
}

TEST(VMCPanelHostWindow, TheLauncherOpensTheFileChooserAndTheConverter) {
    const TestTempDir dir;
    ASSERT_EQ(mkdir(dir.file("clips").c_str(), 0755), 0);
    writeTextFile(dir.file("clips/first clip.mp4"), "");
    writeTextFile(dir.file("clips/second.mov"), "");
    QSettings().setValue(VMCPanelHostWindow::kSourceFolderKey, QString::fromStdString(dir.path()));

    QPointer<VMCPanelHostWindow> window = VMCPanelHostWindow::openLauncher();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantaro Video Converter"));
    ASSERT_NE(qobject_cast<VMCLauncherView*>(window->panelView()), nullptr);
    const QList<QCommandLinkButton*> entries =
        window->panelView()->findChildren<QCommandLinkButton*>();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0]->text(), QStringLiteral("Video Converter"));
    EXPECT_EQ(entries[0]->description(), QStringLiteral("video conversion"));
    EXPECT_EQ(entries[1]->text(), QStringLiteral("Batch Converter"));
    EXPECT_EQ(entries[1]->description(), QStringLiteral("mass file conversion"));
    EXPECT_EQ(entries[2]->text(), QStringLiteral("Join Files"));
    EXPECT_TRUE(entries[0]->hasFocus()) << "the keyboard starts on the first entry";

    QSignalSpy chooser(window.data(), &VMCPanelHostWindow::openFileDialogShown);
    QTest::keyClick(entries[0], Qt::Key_Space);
    ASSERT_EQ(chooser.count(), 1);
    auto* dialog = qobject_cast<QFileDialog*>(chooser.at(0).at(0).value<QWidget*>());
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_EQ(dialog->directory().absolutePath(), QString::fromStdString(dir.path()));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Choose Files to Convert"));
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QStringLiteral("\"clips/first clip.mp4\" \"clips/second.mov\""));
    QTest::keyClick(name, Qt::Key_Return);

    auto* converter = qobject_cast<VMCPreConvertDialogView*>(window->panelView());
    ASSERT_NE(converter, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Video Converter"));
    EXPECT_EQ(converter->fileCountButton()->text(), QStringLiteral("2 files"));
    EXPECT_EQ(window->focusWidget(), converter->encoderPicker())
        << "the keyboard starts at the encoder";
    XStrList paths;
    for (const auto& source : window->host().sources()) {
        paths.push_back(source->urlForConversion);
    }
    EXPECT_EQ(paths, (XStrList{dir.xfile("clips/first clip.mp4"), dir.xfile("clips/second.mov")}));
    // The next chooser starts where these came from.
    EXPECT_EQ(QSettings().value(VMCPanelHostWindow::kSourceFolderKey).toString(),
              QString::fromStdString(dir.file("clips")));
    EXPECT_GE(window->width(), window->host().currentPanel()->minimumSize().width);

    // Escape leads back to the launcher. (The offscreen platform has no window manager to
    // hand the activation back from the closed chooser.)
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(GuiTest::waitUntil(
        [&] { return qobject_cast<VMCLauncherView*>(window->panelView()) != nullptr; }));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Vantaro Video Converter"));

    QAction* closeAction = menuAction(*window, QStringLiteral("&Close Window"));
    ASSERT_NE(closeAction, nullptr);
    EXPECT_EQ(closeAction->shortcut(), QKeySequence(QKeySequence::Close));
    closeAction->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "a closed window is gone";
}

// A cancelled chooser leaves the launcher where it was, and the folder remembered.
TEST(VMCPanelHostWindow, ACancelledChooserChangesNothing) {
    QSettings().setValue(VMCPanelHostWindow::kSourceFolderKey, QStringLiteral("/"));
    VMCPanelHostWindow window(VMCPanelHost::newLauncher());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy chooser(&window, &VMCPanelHostWindow::openFileDialogShown);
    QAction* open = menuAction(window, QStringLiteral("&Open Files..."));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->shortcut(), QKeySequence(QKeySequence::Open));
    open->trigger();
    ASSERT_EQ(chooser.count(), 1);
    auto* dialog = qobject_cast<QFileDialog*>(chooser.at(0).at(0).value<QWidget*>());
    dialog->reject();
    QApplication::processEvents();
    EXPECT_NE(qobject_cast<VMCLauncherView*>(window.panelView()), nullptr);
    EXPECT_EQ(QSettings().value(VMCPanelHostWindow::kSourceFolderKey).toString(),
              QStringLiteral("/"));
    EXPECT_EQ(menuAction(window, QStringLiteral("&Quit"))->shortcut(),
              QKeySequence(QKeySequence::Quit));
}

}  // namespace
