// The multi encoder driven as a user does: encoders added in the configure sheet (the
// encoder, its page, its own effects, where its outputs go), changed, and removed; the
// sheet with the keyboard alone.
#include "VMCMultiEncConfigureEncoderSheet.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include "DialogTestSupport.h"
#include "MediaSupport.h"
#include "TestSupport.h"
#include "VMCDSPSettingsWindow.h"
#include "VMCEffectChainView.h"
#include "VMCEffectListWidget.h"
#include "VMCEncoderPageIndex.h"
#include "VMCFileNaming.h"
#include "VMCMultiEncConfig.h"
#include "VMCOutputLocationPickerView.h"
#include "VMCPanelHostWindow.h"
#include "VMCPreConvertDialogView.h"

using DialogTest::chooseFromCombo;
using DialogTest::lastShown;

namespace {

// A converter window on one generated clip with the multi encoder chosen.
struct MultiWindow {
    TestTempDir dir;
    // A store of its own: the multi encoder starts without encoders, whatever other tests
    // configured.
    ScopedEnv store{"XCLASS_XREGISTRY_LOCATION", dir.file("XRegistry").c_str()};
    VMCPanelHostWindow window{VMCPanelHost::newLauncher()};
    VMCPreConvertDialogView* view = nullptr;

    MultiWindow() {
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        EXPECT_TRUE(makeTestClip(dir.file("clip.mkv"), TestClip{1.0}));
        window.host().sourceFilesChosen({dir.xfile("clip.mkv")});
        view = qobject_cast<VMCPreConvertDialogView*>(window.panelView());
        EXPECT_TRUE(GuiTest::waitUntil([this] { return view != nullptr && view->isVisible(); }));
        if (view == nullptr) {
            return;
        }
        chooseFromCombo(view->encoderPicker(), QStringLiteral("[Multi Encoder]"));
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    ~MultiWindow() { window.close(); }

    VMCConfig& config() const { return *window.host().sharedConfig(); }
    VMCMultiEncConfig multi() const {
        return VMCMultiEncConfig::fromArgs(config().activeProfile()->encoderArgsV2());
    }

    // Presses the page's button with the keyboard; the sheet it opens.
    VMCMultiEncConfigureEncoderSheet* openSheet(const XStr& button) {
        VMCPageWidget* page = view->pageWidget();
        EXPECT_NE(page, nullptr);
        if (page == nullptr) {
            return nullptr;
        }
        QSignalSpy opened(page, &VMCPageWidget::sheetOpened);
        QWidget* editor = page->editorFor(button);
        EXPECT_NE(editor, nullptr) << button;
        if (editor == nullptr) {
            return nullptr;
        }
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_Space);
        auto* sheet = lastShown<VMCMultiEncConfigureEncoderSheet>(opened);
        EXPECT_NE(sheet, nullptr) << button;
        if (sheet != nullptr) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(sheet));
        }
        return sheet;
    }
};

// The arguments the encoder's page writes with one control set, as the command line sets it.
XStr argsWith(const char* encoder, const XStr& id, const XStr& value) {
    VMCEncoderArgsHost twin;
    auto page = VMCEncoderPageIndex::createFor(encoder, &twin);
    page->viewDidLoad();
    EXPECT_TRUE(page->setControl(id, value));
    return twin.encoderArgs();
}

XStrList pageLabels(VMCPageWidget* page) {
    XStrList out;
    for (const VVCControl& control : page->page().pageView()) {
        if (control.kind == VVCControl::Kind::kLabel) {
            out.push_back(
                GuiTest::fromQt(qobject_cast<QLabel*>(page->editorFor(control.id))->text()));
        }
    }
    return out;
}

void waitGone(QWidget* widget) {
    ASSERT_TRUE(GuiTest::waitUntil([w = QPointer<QWidget>(widget)] { return !w; }));
}

}  // namespace

TEST(VMCMultiEncConfigureEncoderSheet, EncodersAreAddedChangedAndRemoved) {
    MultiWindow multi;
    ASSERT_NE(multi.view, nullptr);
    ASSERT_EQ(multi.config().activeProfileName(), XStr("[Multi Encoder]"));
    EXPECT_EQ(multi.multi().entries().size(), 0u);

    // The first: the remux encoder with its audio changed, a flip, and the main naming.
    VMCMultiEncConfigureEncoderSheet* sheet = multi.openSheet("add");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Add Encoder"));
    QSignalSpy shown(sheet, &VMCMultiEncConfigureEncoderSheet::dialogShown);
    chooseFromCombo(sheet->encoderPicker(), QStringLiteral("MP4 (copy, no encoding)"));
    ASSERT_NE(sheet->pageWidget(), nullptr);
    std::optional<VVCControl> audio = GuiTest::firstChangeable(sheet->pageWidget()->page());
    ASSERT_TRUE(audio);
    const XStr audioValue = GuiTest::changeWithKeyboard(*sheet->pageWidget(), *audio);
    const XStr remuxArgs = argsWith("MP4 (copy, no encoding)", audio->id, audioValue);

    VMCEffectChainView* effects = sheet->effectsView();
    DialogTest::chooseFromButtonMenu(effects->findChild<QPushButton*>(QStringLiteral("addEffect")),
                                     effects->addMenu(), QStringLiteral("Flip"));
    auto* flip = lastShown<VMCDSPSettingsWindow>(shown);
    ASSERT_NE(flip, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(flip));
    const XStr flipArgs = flip->dspArgs();
    QTest::keyClick(flip, Qt::Key_Return);
    waitGone(flip);

    QComboBox* destination = sheet->locationView()->comboBox();
    chooseFromCombo(destination, QStringLiteral("Use parent settings"));
    EXPECT_EQ(destination->currentText(), QStringLiteral("Use parent settings"));
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    QTest::keyClick(effects->list(), Qt::Key_Return);
    waitGone(sheet);

    ASSERT_EQ(multi.multi().entries().size(), 1u);
    {
        const VMCMultiEncConfig configuration = multi.multi();
        const VMCMultiEncEntry& entry = configuration.entries()[0];
        EXPECT_EQ(entry.encoder.name, XStr("MP4 (copy, no encoding)"));
        EXPECT_EQ(entry.encoderArgsV2.strArgs, remuxArgs);
        EXPECT_EQ(entry.dspEffects, (std::vector<VADSPSpec>{{"Flip", flipArgs}}));
        EXPECT_EQ(entry.fileNaming->fileNamingType(), VMCFileNaming::kUseParent);
    }

    // The second: audio only, into a folder of its own chosen through the chooser.
    ASSERT_EQ(mkdir(multi.dir.file("audio").c_str(), 0755), 0);
    sheet = multi.openSheet("add");
    ASSERT_NE(sheet, nullptr);
    QSignalSpy shownAgain(sheet, &VMCMultiEncConfigureEncoderSheet::dialogShown);
    chooseFromCombo(sheet->encoderPicker(), QStringLiteral("Audio Extract (WAVE)"));
    chooseFromCombo(sheet->locationView()->comboBox(), QStringLiteral("Single Folder"));
    auto* chooser = lastShown<QFileDialog>(shownAgain);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser));
    chooser->setDirectory(QString::fromStdString(multi.dir.path()));
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QStringLiteral("audio"));
    QTest::keyClick(name, Qt::Key_Return);
    waitGone(chooser);
    QTest::mouseClick(sheet->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    waitGone(sheet);

    ASSERT_EQ(multi.multi().entries().size(), 2u);
    {
        const VMCMultiEncConfig configuration = multi.multi();
        const VMCMultiEncEntry& entry = configuration.entries()[1];
        EXPECT_EQ(entry.encoder.name, XStr("Audio Extract (WAVE)"));
        EXPECT_FALSE(entry.encoderArgsV2.strArgs.empty()) << "the page wrote its defaults";
        EXPECT_EQ(entry.fileNaming->fileNamingType(), VMCFileNaming::kDynamic);
        EXPECT_EQ(entry.fileNaming->destination().url(), multi.dir.xfile("audio"));
    }
    // Each entry's buttons side by side under its line.
    VMCPageWidget* page = multi.view->pageWidget();
    const auto at = [page](const char* id) {
        return page->editorFor(id)->mapTo(page, QPoint(0, 0));
    };
    EXPECT_EQ(at("edit2").y(), at("remove2").y());
    EXPECT_LT(at("edit2").x(), at("remove2").x());
    EXPECT_LT(at("edit1").y(), at("edit2").y());
    const XStrList labels = pageLabels(multi.view->pageWidget());
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0], XStr("1. MP4 (copy, no encoding), as the main naming says, 1 effect"));
    EXPECT_EQ(labels[1],
              "2. Audio Extract (WAVE), to " + multi.dir.xfile("audio") + "/Source Filename");

    // Changing the first shows what it has; Escape leaves it as it was.
    const XStr before = multi.config().activeProfile()->encoderArgsV2().strArgs;
    sheet = multi.openSheet("edit1");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Encoder Settings"));
    EXPECT_EQ(sheet->encoderPicker()->currentText(), QStringLiteral("MP4 (copy, no encoding)"));
    EXPECT_EQ(sheet->effectsView()->list()->count(), 1);
    EXPECT_EQ(sheet->locationView()->comboBox()->currentText(),
              QStringLiteral("Use parent settings"));
    chooseFromCombo(sheet->encoderPicker(), QStringLiteral("WebM (VP8)"));
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    QTest::keyClick(sheet->encoderPicker(), Qt::Key_Escape);
    waitGone(sheet);
    EXPECT_EQ(multi.config().activeProfile()->encoderArgsV2().strArgs, before);

    // The second goes.
    QWidget* remove = multi.view->pageWidget()->editorFor("remove2");
    ASSERT_NE(remove, nullptr);
    QTest::mouseClick(remove, Qt::LeftButton);
    ASSERT_EQ(multi.multi().entries().size(), 1u);
    EXPECT_EQ(multi.multi().entries()[0].encoder.name, XStr("MP4 (copy, no encoding)"));
}

// Tab goes through the encoder, its page, the effects and the destination to the buttons;
// the mnemonics lead to the encoder, the effect list and the destination; every control
// has a name.
TEST(VMCMultiEncConfigureEncoderSheet, TheKeyboardReachesEveryControl) {
    MultiWindow multi;
    ASSERT_NE(multi.view, nullptr);
    VMCMultiEncConfigureEncoderSheet* sheet = multi.openSheet("add");
    ASSERT_NE(sheet, nullptr);
    chooseFromCombo(sheet->encoderPicker(), QStringLiteral("MP4 (H264)"));
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));

    QList<QWidget*> expected{sheet->encoderPicker()};
    for (QWidget* w : sheet->pageWidget()->focusWidgets()) {
        if (w->isEnabled() && w->isVisible()) {
            expected.push_back(w);
        }
    }
    for (QWidget* w : sheet->effectsView()->focusWidgets()) {
        if (w->isEnabled()) {
            expected.push_back(w);
        }
    }
    expected.push_back(sheet->locationView()->comboBox());
    QList<QAbstractButton*> buttons = sheet->buttons()->buttons();
    std::sort(buttons.begin(), buttons.end(),
              [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
    for (QAbstractButton* b : buttons) {
        expected.push_back(b);
    }
    EXPECT_EQ(DialogTest::describe(DialogTest::tabThrough(sheet->encoderPicker(), expected.size())),
              DialogTest::describe(expected));

    struct Mnemonic {
        Qt::Key key;
        QWidget* target;
    };
    for (const Mnemonic& m : {Mnemonic{Qt::Key_D, sheet->locationView()->comboBox()},
                              Mnemonic{Qt::Key_F, sheet->effectsView()->list()},
                              Mnemonic{Qt::Key_E, sheet->encoderPicker()}}) {
        QTest::keyClick(QApplication::focusWidget(), m.key, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), m.target)
            << QKeySequence(m.key).toString().toStdString();
    }
    DialogTest::expectAccessibleNames(sheet);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    waitGone(sheet);
    EXPECT_EQ(multi.multi().entries().size(), 0u) << "a cancelled sheet adds nothing";
}

// Two encoders made in the sheet, the remux into the main naming's folder and the audio
// into a folder of its own: Convert gives both outputs of the one clip.
TEST(VMCMultiEncConfigureEncoderSheet, TwoEncodersMadeInTheSheetConvertAClipToBoth) {
    MultiWindow multi;
    ASSERT_NE(multi.view, nullptr);
    for (const char* folder : {"video", "audio"}) {
        ASSERT_EQ(mkdir(multi.dir.file(folder).c_str(), 0755), 0);
    }
    QSignalSpy setupShown(multi.view, &VMCPreConvertDialogView::dialogShown);
    chooseFromCombo(multi.view->locationView()->comboBox(), QStringLiteral("Single Folder"));
    DialogTest::chooseFolder(setupShown, multi.dir.path(), QStringLiteral("video"));

    VMCMultiEncConfigureEncoderSheet* sheet = multi.openSheet("add");
    ASSERT_NE(sheet, nullptr);
    chooseFromCombo(sheet->encoderPicker(), QStringLiteral("MP4 (copy, no encoding)"));
    chooseFromCombo(sheet->locationView()->comboBox(), QStringLiteral("Use parent settings"));
    QTest::mouseClick(sheet->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    waitGone(sheet);

    sheet = multi.openSheet("add");
    ASSERT_NE(sheet, nullptr);
    QSignalSpy sheetShown(sheet, &VMCMultiEncConfigureEncoderSheet::dialogShown);
    chooseFromCombo(sheet->encoderPicker(), QStringLiteral("Audio Extract (WAVE)"));
    chooseFromCombo(sheet->locationView()->comboBox(), QStringLiteral("Single Folder"));
    DialogTest::chooseFolder(sheetShown, multi.dir.path(), QStringLiteral("audio"));
    QTest::mouseClick(sheet->buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    waitGone(sheet);
    ASSERT_EQ(multi.multi().entries().size(), 2u);

    multi.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&multi.window));
    QTest::keyClick(multi.view->encoderPicker(), Qt::Key_Return);
    ASSERT_TRUE(DialogTest::waitUntilConverted(multi.window));

    const std::string video = multi.dir.file("video/clip.mp4");
    EXPECT_EQ(probeValue(video, "v:0", "codec_name"), "h264") << "the remux keeps the video";
    EXPECT_NEAR(probeDuration(video), 1.0, 0.2);
    const std::string audio = multi.dir.file("audio/clip.wav");
    EXPECT_EQ(probeStreamCount(audio, "v"), 0);
    EXPECT_EQ(probeValue(audio, "a:0", "codec_name"), "pcm_s16le");
    EXPECT_NEAR(probeDuration(audio), 1.0, 0.2);
    EXPECT_EQ(folderEntries(multi.dir.file("video")), std::vector<std::string>{"clip.mp4"});
    EXPECT_EQ(folderEntries(multi.dir.file("audio")), std::vector<std::string>{"clip.wav"});
}
