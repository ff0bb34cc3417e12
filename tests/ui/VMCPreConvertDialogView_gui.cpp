// The setup panel driven as a user does: an encoder chosen from the picker, its quality
// changed on the page, effects added from the menu and reordered, a destination folder
// chosen through the picker's chooser, and Convert; then the keyboard's way round.
#include "VMCPreConvertDialogView.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "DialogTestSupport.h"
#include "GuiMenus.h"
#include "GuiSetupWindow.h"
#include "GuiTestSupport.h"
#include "MediaSupport.h"
#include "TestSupport.h"
#include "VMCDSPSettingsWindow.h"
#include "VMCEffectChainView.h"
#include "VMCEffectListWidget.h"
#include "VMCEncoderPageIndex.h"
#include "VMCLauncherView.h"
#include "VMCOutputLocationPickerView.h"
#include "VMCPanelHostWindow.h"
#include "VMCProfileNameDialog.h"
#include "VMCProgressPanelView.h"
#include "VMCStatusLogPanelView.h"
#include "XRegistry.h"

namespace {

using GuiTest::chooseFromButtonMenu;
using GuiTest::chooseFromCombo;
using GuiTest::lastShown;
using GuiTest::SetupWindow;

VADSPChain shownChain(VMCEffectListWidget* list) {
    VADSPChain out;
    for (int i = 0; i < list->count(); ++i) {
        out.push_back({GuiTest::fromQt(list->item(i)->text()), {}});
    }
    return out;
}

XStrList names(const VADSPChain& chain) {
    XStrList out;
    for (const VADSPSpec& spec : chain) {
        out.push_back(spec.name);
    }
    return out;
}

TEST(VMCPreConvertDialogView, AUserSetsUpAConversionAndConverts) {
    SetupWindow setup;
    VMCPreConvertDialogView* view = setup.view;
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->fileCountButton()->text(), QStringLiteral("2 files"));
    EXPECT_TRUE(view->convertButton()->isEnabled());
    QSignalSpy shown(view, &VMCPreConvertDialogView::dialogShown);

    // The encoder, and its quality on the page.
    chooseFromCombo(view->encoderPicker(), QStringLiteral("MP4 (H264)"));
    EXPECT_EQ(setup.config().activeProfileName(), XStr("MP4 (H264)"));
    EXPECT_EQ(view->encoderPicker()->currentText(), QStringLiteral("MP4 (H264)"));
    VMCPageWidget* page = view->pageWidget();
    ASSERT_NE(page, nullptr);
    std::optional<VVCControl> quality;
    for (const VVCControl& control : page->page().pageView()) {
        if (control.id == "quality") {
            quality = control;
        }
    }
    ASSERT_TRUE(quality);
    const XStr wanted = GuiTest::changeWithKeyboard(*page, *quality);
    VMCEncoderArgsHost twin;
    auto expectedPage = VMCEncoderPageIndex::createFor("MP4 (H264)", &twin);
    expectedPage->viewDidLoad();
    ASSERT_TRUE(expectedPage->setControl("quality", wanted));
    const VMCConfig::ProfilePtr profile = setup.config().activeProfile();
    EXPECT_EQ(profile->encoderArgsV2().strArgs, twin.encoderArgs());

    // Crop with a width typed into its settings, then Flip turned horizontal.
    VMCEffectChainView* effects = view->effectsView();
    QPushButton* add = effects->findChild<QPushButton*>(QStringLiteral("addEffect"));
    chooseFromButtonMenu(add, effects->addMenu(), QStringLiteral("Crop"));
    auto* crop = lastShown<VMCDSPSettingsWindow>(shown);
    ASSERT_NE(crop, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(crop));
    auto* width = qobject_cast<QAbstractSpinBox*>(crop->pageWidget()->editorFor("width"));
    ASSERT_NE(width, nullptr);
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("160"));
    QTest::keyClick(width, Qt::Key_Tab);
    // The Tab moved on to the height: typed over, so that the crop fits the 320x240 clips.
    auto* height = qobject_cast<QAbstractSpinBox*>(crop->pageWidget()->editorFor("height"));
    ASSERT_NE(height, nullptr);
    EXPECT_TRUE(height->hasFocus());
    height->selectAll();
    QTest::keyClicks(height, QStringLiteral("120"));
    QTest::keyClick(height, Qt::Key_Tab);
    const XStr cropArgs = crop->dspArgs();
    EXPECT_TRUE(cropArgs.contains("crop=160:120:")) << cropArgs;
    QTest::mouseClick(crop->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);

    chooseFromButtonMenu(add, effects->addMenu(), QStringLiteral("Flip"));
    auto* flip = lastShown<VMCDSPSettingsWindow>(shown);
    ASSERT_NE(flip, nullptr);
    ASSERT_NE(flip, crop);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(flip));
    auto* direction = qobject_cast<QComboBox*>(flip->pageWidget()->editorFor("direction"));
    ASSERT_NE(direction, nullptr);
    direction->setFocus();
    QTest::keyClick(direction, Qt::Key_Down);
    EXPECT_EQ(direction->currentText(), QStringLiteral("Horizontal"));
    const XStr flipArgs = flip->dspArgs();
    QTest::keyClick(flip, Qt::Key_Return);
    ASSERT_TRUE(GuiTest::waitUntil([flip = QPointer<QWidget>(flip)] { return !flip; }));
    EXPECT_EQ(profile->dspEffects(),
              (VADSPChain{VADSPSpec{"Crop", cropArgs}, VADSPSpec{"Flip", flipArgs}}));

    // Flip dragged above Crop: dropped on the upper half of the first row. (A drag in flight
    // needs a platform that carries one; the drop is handed to the list directly.)
    VMCEffectListWidget* list = effects->list();
    list->setCurrentRow(1);
    const QRect first = list->visualItemRect(list->item(0));
    std::unique_ptr<QMimeData> mime(list->model()->mimeData({list->model()->index(1, 0)}));
    QDropEvent drop(QPointF(first.center().x(), first.top() + 2), Qt::MoveAction, mime.get(),
                    Qt::LeftButton, Qt::NoModifier);
    list->dropEvent(&drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::IgnoreAction) << "the drag's source removes nothing";

    EXPECT_EQ(names(profile->dspEffects()), (XStrList{"Flip", "Crop"}));
    EXPECT_EQ(names(shownChain(list)), (XStrList{"Flip", "Crop"}));
    EXPECT_EQ(list->currentRow(), 0) << "the moved effect stays selected";
    // And back with the keyboard's button.
    QTest::mouseClick(effects->findChild<QPushButton*>(QStringLiteral("moveEffectDown")),
                      Qt::LeftButton);
    EXPECT_EQ(names(profile->dspEffects()), (XStrList{"Crop", "Flip"}));
    EXPECT_EQ(profile->dspEffects()[0].args, cropArgs);

    // One destination folder, through the picker's folder chooser.
    ASSERT_EQ(mkdir(setup.dir.file("out").c_str(), 0755), 0);
    QComboBox* destination = view->locationView()->comboBox();
    chooseFromCombo(destination, QStringLiteral("Single Folder"));
    auto* chooser = lastShown<QFileDialog>(shown);
    ASSERT_NE(chooser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser));
    EXPECT_EQ(chooser->fileMode(), QFileDialog::Directory);
    chooser->setDirectory(QString::fromStdString(setup.dir.path()));
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    QTest::keyClicks(name, QStringLiteral("out"));
    QTest::keyClick(name, Qt::Key_Return);
    ASSERT_TRUE(GuiTest::waitUntil([chooser = QPointer<QWidget>(chooser)] { return !chooser; }));
    EXPECT_EQ(profile->fileNaming().fileNamingType(), VMCFileNaming::kDynamic);
    EXPECT_EQ(profile->fileNaming().destination().url(), setup.dir.xfile("out"));
    EXPECT_EQ(profile->fileNaming().dynamicFormat(), XStr("[origfilename]"));
    EXPECT_TRUE(destination->currentText().endsWith(QStringLiteral("/out/Source Filename")))
        << destination->currentText().toStdString();

    // Return converts: the profile is saved with everything the conversion is built from.
    setup.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&setup.window));
    list->setFocus();
    const int dialogsBefore = shown.count();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(shown.count(), dialogsBefore) << "no alert: the destination can be reached";
    const XRegistryName root{XStr("HKCU")};
    const XStr key = profile->registryKey();
    EXPECT_EQ(XRegistry::GetString("vMC_CLI", root, key), twin.encoderArgs());
    EXPECT_EQ(XRegistry::GetString("VMCDSPEffects", root, key),
              VADSPList::mergeDSPString({{"Crop", cropArgs}, {"Flip", flipArgs}}));
    EXPECT_EQ(XRegistry::GetDWORD("VMCUserFolder", root, key), VMCFileNaming::kDynamic);
    EXPECT_EQ(XRegistry::GetString("VMCUserFolderStr", root, key), setup.dir.xfile("out"));
    EXPECT_EQ(XRegistry::GetString("vMCLastFolder-0"),
              setup.dir.xfile("out") + "{_._}[origfilename]");
    EXPECT_EQ(setup.config().activeProfileName(), XStr("MP4 (H264)"));

    // The conversion runs to its end and the log lists both files; both outputs play,
    // cropped to the typed width.
    auto* progress = GuiTest::waitForPanel<VMCProgressPanelView>(setup.window);
    ASSERT_NE(progress, nullptr);
    QPointer<QPushButton> cancel = progress->findChild<QPushButton*>(QStringLiteral("cancel"));
    ASSERT_TRUE(GuiTest::waitUntil(
        [&] { return cancel.isNull() || cancel->text() == QStringLiteral("&Finish"); },
        GuiTest::kConversionDeadlineMs));
    ASSERT_FALSE(cancel.isNull()) << "no error log shown in place of the panel";
    EXPECT_EQ(progress->findChild<QProgressBar*>(QStringLiteral("overall"))->value(), 100);
    for (const char* output : {"out/first.mp4", "out/second.mp4"}) {
        EXPECT_EQ(probeValue(setup.dir.file(output), "v:0", "codec_name"), "h264") << output;
        EXPECT_EQ(probeValue(setup.dir.file(output), "v:0", "width"), "160") << output;
        EXPECT_EQ(probeValue(setup.dir.file(output), "v:0", "height"), "120") << output;
    }
    QTest::mouseClick(progress->findChild<QPushButton*>(QStringLiteral("showLog")), Qt::LeftButton);
    auto* log = GuiTest::waitForPanel<VMCStatusLogPanelView>(setup.window);
    ASSERT_NE(log, nullptr);
    QTreeView* info = log->listOf(VMCStatusLogDialog::Tab::kInformation);
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->model()->rowCount(), 2);
    EXPECT_TRUE(
        info->model()->index(0, 0).data().toString().contains(QStringLiteral("'first.mkv'")));
    EXPECT_TRUE(
        info->model()->index(1, 0).data().toString().contains(QStringLiteral("'second.mkv'")));
    setup.window.close();
}

// Every control in reading order with Tab, the mnemonics, and Escape for Cancel.
TEST(VMCPreConvertDialogView, TheKeyboardReachesEveryControl) {
    SetupWindow setup;
    VMCPreConvertDialogView* view = setup.view;
    ASSERT_NE(view, nullptr);
    chooseFromCombo(view->encoderPicker(), QStringLiteral("MP4 (H264)"));
    VMCEffectChainView* effects = view->effectsView();
    view->dialog().effects().setChain({{"Crop", ""}, {"Flip", ""}});
    effects->list()->setCurrentRow(0);
    // The offscreen platform has no window manager to hand the activation back from the
    // closed drop-down.
    setup.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&setup.window));

    QList<QWidget*> expected{view->encoderPicker()};
    for (QWidget* w = view->pageWidget()->firstFocusWidget();; w = w->nextInFocusChain()) {
        if (view->pageWidget()->isAncestorOf(w) && w->isEnabled() && w->isVisible() &&
            (w->focusPolicy() & Qt::TabFocus) != 0) {
            expected.push_back(w);
        }
        if (w == view->pageWidget()->lastFocusWidget()) {
            break;
        }
    }
    for (QWidget* w : effects->focusWidgets()) {
        if (w->isEnabled()) {
            expected.push_back(w);
        }
    }
    expected.push_back(view->locationView()->comboBox());
    expected.push_back(view->fileCountButton());
    QList<QPushButton*> buttons{view->convertButton(), view->cancelButton()};
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    for (QPushButton* b : buttons) {
        expected.push_back(b);
    }

    const QList<QWidget*> visited =
        DialogTest::tabThrough(view->encoderPicker(), static_cast<int>(expected.size()));
    EXPECT_EQ(DialogTest::describe(visited), DialogTest::describe(expected));

    struct Mnemonic {
        Qt::Key key;
        QWidget* target;
    };
    for (const Mnemonic& m :
         {Mnemonic{Qt::Key_D, view->locationView()->comboBox()},
          Mnemonic{Qt::Key_E, view->encoderPicker()}, Mnemonic{Qt::Key_F, effects->list()}}) {
        QTest::keyClick(QApplication::focusWidget(), m.key, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), m.target)
            << QKeySequence(m.key).toString().toStdString();
    }

    // Escape leads back to the launcher.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(GuiTest::waitUntil(
        [&] { return qobject_cast<VMCLauncherView*>(setup.window.panelView()) != nullptr; }));
}

// The sheet that names a profile stays open for a name that is taken; the question before
// deleting answers No to Escape.
TEST(VMCPreConvertDialogView, ProfilesAreNamedInASheetAndDeletedAfterAQuestion) {
    SetupWindow setup(true);
    VMCPreConvertDialogView* view = setup.view;
    ASSERT_NE(view, nullptr);
    QSignalSpy shown(view, &VMCPreConvertDialogView::dialogShown);
    chooseFromCombo(view->encoderPicker(), QStringLiteral("MP4 (copy, no encoding)"));
    chooseFromCombo(view->encoderPicker(), QStringLiteral("[Create New Profile]"));
    EXPECT_EQ(view->encoderPicker()->currentText(), QStringLiteral("MP4 (copy, no encoding)"))
        << "the picker shows the active profile while the sheet is open";
    auto* sheet = lastShown<VMCProfileNameDialog>(shown);
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    QLineEdit* field = sheet->nameField();
    EXPECT_EQ(field->text(), QStringLiteral("<type profile name>"));
    EXPECT_EQ(field->selectedText(), field->text()) << "typing replaces the hint";

    field->setFocus();
    QTest::keyClicks(field, QStringLiteral("MP4 (H264)"));
    QTest::keyClick(field, Qt::Key_Return);
    auto* alert = lastShown<QMessageBox>(shown);
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), QStringLiteral("Please choose another profile name."));
    EXPECT_EQ(alert->parentWidget(), sheet) << "the alert belongs to the sheet";
    EXPECT_TRUE(sheet->isVisible());
    alert->accept();

    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("Phone"));
    QTest::keyClick(field, Qt::Key_Return);
    ASSERT_TRUE(GuiTest::waitUntil([sheet = QPointer<QWidget>(sheet)] { return !sheet; }));
    const QString phone = QStringLiteral("Phone \"MP4 (copy, no encoding)\"");
    EXPECT_EQ(view->encoderPicker()->currentText(), phone);
    EXPECT_EQ(view->encoderPicker()->itemText(view->encoderPicker()->count() - 1), phone);

    for (const bool yes : {false, true}) {
        chooseFromCombo(view->encoderPicker(), QStringLiteral("[Delete Selected Profile]"));
        auto* question = lastShown<QMessageBox>(shown);
        ASSERT_NE(question, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(question));
        EXPECT_EQ(question->text(), QStringLiteral("Delete profile 'Phone \"MP4 (copy, no "
                                                   "encoding)\"' ?"));
        const QList<QAbstractButton*> buttons = question->buttons();
        ASSERT_EQ(buttons.size(), 2);
        EXPECT_EQ(question->defaultButton()->text(), QStringLiteral("Yes"));
        EXPECT_EQ(question->escapeButton()->text(), QStringLiteral("No"));
        QTest::keyClick(question, yes ? Qt::Key_Return : Qt::Key_Escape);
        ASSERT_TRUE(
            GuiTest::waitUntil([question = QPointer<QWidget>(question)] { return !question; }));
        EXPECT_EQ(view->encoderPicker()->currentText(),
                  yes ? QStringLiteral("MP4 (copy, no encoding)") : phone);
    }
    EXPECT_EQ(view->encoderPicker()->findText(phone), -1);
    EXPECT_EQ(setup.config().userProfiles().size(), 0u);
    setup.window.close();
}

}  // namespace
