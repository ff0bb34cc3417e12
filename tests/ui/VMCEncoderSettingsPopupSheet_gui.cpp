// One encoder's settings in a sheet of their own: OK keeps what the page wrote, Cancel and
// Escape put the record back; an encoder without settings says so.
#include "VMCEncoderSettingsPopupSheet.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QPointer>

#include "DialogTestSupport.h"
#include "VMCEncoderPageIndex.h"

TEST(VMCEncoderSettingsPopupSheet, OKKeepsThePagesTextAndCancelPutsTheRecordBack) {
    struct Case {
        Qt::Key key;
        int result;
        bool kept;
    };
    for (const Case& c : {Case{Qt::Key_Return, QDialog::Accepted, true},
                          Case{Qt::Key_Escape, QDialog::Rejected, false}}) {
        QWidget parent;
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
        VAEncoderArgs given;
        given.customFormatExt = "m4v";
        QPointer<VMCEncoderSettingsPopupSheet> sheet =
            new VMCEncoderSettingsPopupSheet("MP4 (H264)", given, &parent);
        EXPECT_EQ(sheet->windowTitle(), QStringLiteral("MP4 (H264) Settings"));
        ASSERT_NE(sheet->pageWidget(), nullptr);
        const XStr defaults = sheet->args().strArgs;
        EXPECT_FALSE(defaults.empty()) << "an empty record gets the page's defaults";
        QSignalSpy finished(sheet.data(), &QDialog::finished);
        sheet->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));

        std::optional<VVCControl> quality;
        for (const VVCControl& control : sheet->pageWidget()->page().pageView()) {
            if (control.id == "quality") {
                quality = control;
            }
        }
        ASSERT_TRUE(quality);
        const XStr wanted = GuiTest::changeWithKeyboard(*sheet->pageWidget(), *quality);
        VMCEncoderArgsHost twin;
        auto page = VMCEncoderPageIndex::createFor("MP4 (H264)", &twin);
        page->viewDidLoad();
        ASSERT_TRUE(page->setControl("quality", wanted));
        EXPECT_EQ(sheet->args().strArgs, twin.encoderArgs()) << "edited as the page writes";
        DialogTest::expectAccessibleNames(sheet);

        QTest::keyClick(sheet->pageWidget()->editorFor("quality"), c.key);
        ASSERT_EQ(finished.count(), 1);
        EXPECT_EQ(finished.at(0).at(0).toInt(), c.result);
        EXPECT_EQ(sheet->args().strArgs, c.kept ? twin.encoderArgs() : XStr());
        EXPECT_EQ(sheet->args().customFormatExt, XStr("m4v")) << "the rest of the record stays";
        delete sheet;
    }
}

TEST(VMCEncoderSettingsPopupSheet, AnEncoderWithoutSettingsSaysSo) {
    VMCEncoderSettingsPopupSheet sheet("No Such Encoder", VAEncoderArgs(), nullptr);
    EXPECT_EQ(sheet.pageWidget(), nullptr);
    auto* none = sheet.findChild<QLabel*>(QStringLiteral("noSettings"));
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->text(), QStringLiteral("No settings to choose."));
    QSignalSpy finished(&sheet, &QDialog::finished);
    sheet.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    QTest::mouseClick(sheet.buttons()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(0).toInt(), QDialog::Accepted);
}
