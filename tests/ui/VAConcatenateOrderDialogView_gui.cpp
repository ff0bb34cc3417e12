// Joining files as a user does: the launcher's entry, the chooser, the ordering panel with
// the files' lengths, the order changed by dragging, by keys and by buttons, then the
// converter set up for the joined files and back again.
#include "VAConcatenateOrderDialogView.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>

#include "DialogTestSupport.h"
#include "MediaSupport.h"
#include "TestSupport.h"
#include "VAConvertSourceConcat.h"
#include "VMCEffectListWidget.h"
#include "VMCLauncherView.h"
#include "VMCOutputLocationPickerView.h"
#include "VMCPanelHostWindow.h"
#include "VMCPreConvertDialogView.h"

namespace {

XStrList shownNames(const VAConcatenateOrderDialogView& view) {
    XStrList out;
    for (int i = 0; i < view.list()->count(); ++i) {
        const QString text = view.list()->item(i)->text();
        out.push_back(GuiTest::fromQt(text.left(text.indexOf(QLatin1Char('\n')))));
    }
    return out;
}

// Drops the row from onto the upper half of the row to, as a drag would end.
void dragRow(VMCEffectListWidget* list, int from, int to) {
    list->setCurrentRow(from);
    const QRect target = list->visualItemRect(list->item(to));
    std::unique_ptr<QMimeData> mime(list->model()->mimeData({list->model()->index(from, 0)}));
    QDropEvent drop(QPointF(target.center().x(), target.top() + 2), Qt::MoveAction, mime.get(),
                    Qt::LeftButton, Qt::NoModifier);
    list->dropEvent(&drop);
}

// A clip of one colour, with a tone.
bool makeColourClip(const std::string& path, const std::string& colour, double seconds) {
    TestClip clip;
    clip.seconds = seconds;
    clip.size = "160x120";
    clip.colour = colour;
    return makeTestClip(path, clip);
}

// The colour of a video at a time, as the channel that dominates its picture.
std::string colourAt(const std::string& video, double seconds, const TestTempDir& dir) {
    const std::string pixel = dir.file("pixel.rgb");
    if (runProgram({toolPath("ffmpeg"), "-hide_banner", "-loglevel", "error", "-y", "-ss",
                    std::to_string(seconds), "-i", video, "-frames:v", "1", "-vf", "scale=1:1",
                    "-pix_fmt", "rgb24", "-f", "rawvideo", pixel}) != 0) {
        return "unreadable";
    }
    const std::string rgb = readTextFile(pixel);
    if (rgb.size() != 3) {
        return "unreadable";
    }
    const auto r = static_cast<unsigned char>(rgb[0]);
    const auto g = static_cast<unsigned char>(rgb[1]);
    const auto b = static_cast<unsigned char>(rgb[2]);
    if (r > 2 * g && r > 2 * b) {
        return "red";
    }
    if (g > 2 * r && g > 2 * b) {
        return "green";
    }
    return b > 2 * r && b > 2 * g ? "blue" : "mixed";
}

}  // namespace

TEST(VAConcatenateOrderDialogView, FilesArePutInOrderAndSetUpAsOneSource) {
    const TestTempDir dir;
    for (const auto& [name, seconds] :
         {std::pair{"a.mkv", 1.0}, std::pair{"b.mkv", 2.0}, std::pair{"c.mkv", 3.0}}) {
        ASSERT_TRUE(makeTestClip(dir.file(name), TestClip{seconds}));
    }
    VMCPanelHostWindow window(VMCPanelHost::newLauncher());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCommandLinkButton* join = nullptr;
    for (QCommandLinkButton* entry : window.panelView()->findChildren<QCommandLinkButton*>()) {
        if (entry->text() == QStringLiteral("Join Files")) {
            join = entry;
        }
    }
    ASSERT_NE(join, nullptr);
    QSignalSpy chooserShown(&window, &VMCPanelHostWindow::openFileDialogShown);
    join->setFocus();
    QTest::keyClick(join, Qt::Key_Space);
    auto* chooser = DialogTest::lastShown<QFileDialog>(chooserShown);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Choose Files to Join"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser));
    chooser->setDirectory(QString::fromStdString(dir.path()));
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QStringLiteral("\"a.mkv\" \"b.mkv\" \"c.mkv\""));
    QTest::keyClick(name, Qt::Key_Return);

    auto* view = qobject_cast<VAConcatenateOrderDialogView*>(window.panelView());
    ASSERT_NE(view, nullptr);
    // The window shows a new panel once its events run.
    ASSERT_TRUE(GuiTest::waitUntil([view] { return view->isVisible(); }));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Join Files"));
    // The offscreen platform has no window manager to hand the activation back.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(shownNames(*view), (XStrList{"1.  a.mkv", "2.  b.mkv", "3.  c.mkv"}));
    EXPECT_EQ(QApplication::focusWidget(), view->list()) << "the keyboard starts in the list";
    // The lengths come from the probe, and with them the total.
    ASSERT_TRUE(GuiTest::waitUntil([view] {
        return view->totalLabel()->text().startsWith(QStringLiteral("Total length: 0:0"));
    })) << view->totalLabel()->text().toStdString();
    EXPECT_EQ(view->totalLabel()->text(), QStringLiteral("Total length: 0:06"));
    const QString details = view->list()->item(1)->data(Qt::UserRole).toString();
    EXPECT_TRUE(details.startsWith(QStringLiteral("0:02  "))) << details.toStdString();

    // c dragged to the top, a one place down with Ctrl+Down, c down and up again by the
    // buttons: c, b, a.
    dragRow(view->list(), 2, 0);
    EXPECT_EQ(shownNames(*view), (XStrList{"1.  c.mkv", "2.  a.mkv", "3.  b.mkv"}));
    EXPECT_EQ(view->list()->currentRow(), 0) << "the moved file stays selected";
    view->list()->setCurrentRow(1);
    QTest::keyClick(view->list(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(view->list()->currentRow(), 2);
    EXPECT_EQ(shownNames(*view), (XStrList{"1.  c.mkv", "2.  b.mkv", "3.  a.mkv"}));
    view->list()->setCurrentRow(0);
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("moveDown")), Qt::LeftButton);
    EXPECT_EQ(shownNames(*view), (XStrList{"1.  b.mkv", "2.  c.mkv", "3.  a.mkv"}));
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("moveUp")), Qt::LeftButton);
    EXPECT_EQ(view->dialog().files(),
              (XStrList{dir.xfile("c.mkv"), dir.xfile("b.mkv"), dir.xfile("a.mkv")}));
    EXPECT_EQ(view->list()->currentRow(), 0);

    // Return joins: the converter gets one source of the three in this order.
    QTest::keyClick(view->list(), Qt::Key_Return);
    auto* setup = qobject_cast<VMCPreConvertDialogView*>(window.panelView());
    ASSERT_NE(setup, nullptr);
    ASSERT_TRUE(GuiTest::waitUntil([setup] { return setup->isVisible(); }));
    EXPECT_EQ(setup->fileCountButton()->text(), QStringLiteral("Concatenating"));
    ASSERT_EQ(window.host().sources().size(), 1u);
    const auto* joined =
        dynamic_cast<const VAConvertSourceConcat*>(window.host().sources()[0].get());
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(joined->concatURLs(),
              (XStrList{dir.xfile("c.mkv"), dir.xfile("b.mkv"), dir.xfile("a.mkv")}));

    // Escape goes back to the order as it was, and from there to the launcher.
    QTest::keyClick(setup->encoderPicker(), Qt::Key_Escape);
    ASSERT_TRUE(GuiTest::waitUntil([&] {
        return qobject_cast<VAConcatenateOrderDialogView*>(window.panelView()) != nullptr;
    }));
    view = qobject_cast<VAConcatenateOrderDialogView*>(window.panelView());
    ASSERT_TRUE(GuiTest::waitUntil([view] { return view->isVisible(); }));
    EXPECT_EQ(shownNames(*view), (XStrList{"1.  c.mkv", "2.  b.mkv", "3.  a.mkv"}));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(view->list(), Qt::Key_Escape);
    EXPECT_TRUE(GuiTest::waitUntil(
        [&] { return qobject_cast<VMCLauncherView*>(window.panelView()) != nullptr; }));
    window.close();
}

// One file is not enough: the panel says so and Join waits; files are removed with the
// Delete key and added through the chooser. Tab reaches every control in reading order.
TEST(VAConcatenateOrderDialogView, JoinWaitsForTwoFilesAndTheKeyboardReachesEverything) {
    const TestTempDir dir;
    writeTextFile(dir.file("one.mkv"), "");
    writeTextFile(dir.file("two.mkv"), "");
    VMCPanelHostWindow window(VMCPanelHost::newLauncher());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.host().beginConcatenate({dir.xfile("one.mkv"), dir.xfile("one.mkv")},
                                   window.host().currentPanel());
    auto* view = qobject_cast<VAConcatenateOrderDialogView*>(window.panelView());
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(GuiTest::waitUntil([view] { return view->isVisible(); }));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(view->joinButton()->isEnabled());
    view->list()->setFocus();
    view->list()->setCurrentRow(1);
    QTest::keyClick(view->list(), Qt::Key_Delete);
    EXPECT_EQ(view->dialog().files().size(), 1u);
    EXPECT_FALSE(view->joinButton()->isEnabled());
    EXPECT_EQ(view->statusLabel()->text(),
              QStringLiteral("More than one file required for concatenation."));
    QTest::keyClick(view->list(), Qt::Key_Return);
    EXPECT_EQ(window.panelView(), view) << "Return does not join one file";

    QSignalSpy shown(view, &VAConcatenateOrderDialogView::dialogShown);
    QTest::keyClick(view->list(), Qt::Key_A, Qt::AltModifier);
    // A mnemonic clicks its button a moment later.
    ASSERT_TRUE(GuiTest::waitUntil([&shown] { return !shown.isEmpty(); }));
    auto* chooser = DialogTest::lastShown<QFileDialog>(shown);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser));
    EXPECT_EQ(chooser->directory().absolutePath(), QString::fromStdString(dir.path()))
        << "it starts beside the last file";
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QStringLiteral("two.mkv"));
    QTest::keyClick(name, Qt::Key_Return);
    ASSERT_TRUE(GuiTest::waitUntil([chooser = QPointer<QWidget>(chooser)] { return !chooser; }));
    EXPECT_EQ(view->dialog().files(), (XStrList{dir.xfile("one.mkv"), dir.xfile("two.mkv")}));
    EXPECT_TRUE(view->joinButton()->isEnabled());
    EXPECT_EQ(view->list()->currentRow(), 1) << "the added file is selected";

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    view->list()->setCurrentRow(0);
    QList<QWidget*> expected{view->list()};
    for (const char* button : {"moveDown", "remove", "addFiles"}) {
        expected.push_back(view->findChild<QWidget*>(QString::fromLatin1(button)));
    }
    QList<QPushButton*> buttons{view->joinButton(), view->backButton()};
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    for (QPushButton* b : buttons) {
        expected.push_back(b);
    }
    EXPECT_EQ(DialogTest::describe(DialogTest::tabThrough(view->list(), expected.size())),
              DialogTest::describe(expected))
        << "Move Up is skipped while the first file is selected";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), view->list());
    DialogTest::expectAccessibleNames(view);
    window.close();
}

// Three clips of three colours put in another order and converted: one output whose length
// is the sum of theirs, with the colours in the order chosen.
TEST(VAConcatenateOrderDialogView, ThreeClipsJoinedInAChosenOrderGiveOneOutput) {
    const TestTempDir dir;
    const ScopedEnv store("XCLASS_XREGISTRY_LOCATION", dir.file("XRegistry").c_str());
    ASSERT_TRUE(makeColourClip(dir.file("red.mkv"), "red", 1.0));
    ASSERT_TRUE(makeColourClip(dir.file("green.mkv"), "green", 1.5));
    ASSERT_TRUE(makeColourClip(dir.file("blue.mkv"), "blue", 2.0));
    ASSERT_EQ(mkdir(dir.file("out").c_str(), 0755), 0);
    const double total = probeDuration(dir.file("red.mkv")) + probeDuration(dir.file("green.mkv")) +
                         probeDuration(dir.file("blue.mkv"));

    VMCPanelHostWindow window(VMCPanelHost::newLauncher());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.host().beginConcatenate(
        {dir.xfile("red.mkv"), dir.xfile("green.mkv"), dir.xfile("blue.mkv")},
        window.host().currentPanel());
    auto* order = qobject_cast<VAConcatenateOrderDialogView*>(window.panelView());
    ASSERT_NE(order, nullptr);
    ASSERT_TRUE(GuiTest::waitUntil([order] { return order->isVisible(); }));
    // blue to the top, then green below red: blue, red, green.
    dragRow(order->list(), 2, 0);
    order->list()->setCurrentRow(2);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    order->list()->setFocus();
    QTest::keyClick(order->list(), Qt::Key_Down, Qt::ControlModifier);
    ASSERT_EQ(shownNames(*order), (XStrList{"1.  blue.mkv", "2.  red.mkv", "3.  green.mkv"}));
    QTest::keyClick(order->list(), Qt::Key_Return);

    auto* setup = GuiTest::waitForPanel<VMCPreConvertDialogView>(window);
    ASSERT_NE(setup, nullptr);
    DialogTest::chooseFromCombo(setup->encoderPicker(), QStringLiteral("MP4 (H264)"));
    QSignalSpy shown(setup, &VMCPreConvertDialogView::dialogShown);
    DialogTest::chooseFromCombo(setup->locationView()->comboBox(), QStringLiteral("Single Folder"));
    DialogTest::chooseFolder(shown, dir.path(), QStringLiteral("out"));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(setup->encoderPicker(), Qt::Key_Return);
    ASSERT_TRUE(DialogTest::waitUntilConverted(window));

    // Named after the first file of the order.
    EXPECT_EQ(folderEntries(dir.file("out")), std::vector<std::string>{"blue.mp4"});
    const std::string joined = dir.file("out/blue.mp4");
    EXPECT_NEAR(probeDuration(joined), total, 0.25);
    EXPECT_EQ(probeStreamCount(joined, "v"), 1);
    EXPECT_EQ(probeStreamCount(joined, "a"), 1);
    EXPECT_EQ(colourAt(joined, 1.0, dir), "blue");
    EXPECT_EQ(colourAt(joined, 2.5, dir), "red");
    EXPECT_EQ(colourAt(joined, 3.75, dir), "green");
    window.close();
}
