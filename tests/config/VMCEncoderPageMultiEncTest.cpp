// The multi encoder's page and its configure sheet, driven as a user does: adding,
// changing and removing encoders, with the configuration string in the host after each.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "VMCConfig.h"
#include "VMCEncoderPageIndex.h"
#include "VMCEncoderPageMultiEnc.h"
#include "VMCFileNaming.h"
#include "VVCPageText.h"

namespace {

class MultiHost : public VMCEncoderArgsHost {
public:
    explicit MultiHost(bool sameFolder = true) : mSameFolder(sameFolder) {}
    bool encoderAllowSameFolder() const override { return mSameFolder; }

private:
    bool mSameFolder;
};

// A page that finishes its pending edit only when told it will close.
class ClosingPage : public VMCEncoderPage {
public:
    explicit ClosingPage(VMCEncoderPageHost* host) : VMCEncoderPage(host) {}
    void viewDidLoad() override {
        if (mHost->encoderArgs().empty()) {
            mHost->setEncoderArgs("-pending");
        }
    }
    void pageWillClose() override { mHost->setEncoderArgs("-finished"); }
    std::vector<VVCControl> pageView() const override { return {}; }

protected:
    void applyControl(const VVCControl&, const VVCControlValue&) override {}
};

class RecordingSheetView : public VMCMultiEncConfigureEncoderView {
public:
    explicit RecordingSheetView(const VMCMultiEncConfigureEncoder* const* sheet) : mSheet(sheet) {}
    void endSheet(int code) override {
        ends.push_back(code);
        argsAtEnd = (*mSheet)->config().encoderArgsV2.strArgs;
    }
    void encoderPageChanged() override { ++pagesMade; }

    std::vector<int> ends;
    XStr argsAtEnd;
    int pagesMade = 0;

private:
    const VMCMultiEncConfigureEncoder* const* mSheet;
};

class VMCEncoderPageMultiEncTest : public ConfigTest {
protected:
    static XStr defaultsOf(const char* encoder) {
        return VVCPageText::encoderArgsFor(encoder, {}, true)->strArgs;
    }
};

}  // namespace

TEST_F(VMCEncoderPageMultiEncTest, AUserAddsChangesAndRemovesEncoders) {
    MultiHost host;
    VMCEncoderPageMultiEnc page(&host, fullCatalogue());
    page.viewDidLoad();
    EXPECT_EQ(host.encoderArgs(), "");
    XStrList ids;
    for (const VVCControl& control : page.allControls()) {
        ids.push_back(control.id);
    }
    EXPECT_EQ(ids, (XStrList{"add", "add.encoder", "add.settings", "add.output", "add.folder",
                             "add.template", "add.effects", "multiCPU"}));

    XStr error;
    ASSERT_TRUE(page.setControl("add.encoder", "WebM (VP8)", &error)) << error;
    const XStr vp8 = defaultsOf("WebM (VP8)");
    EXPECT_EQ(host.encoderArgs(), "-enc1=\"WebM (VP8)=" + vp8 + "\"");

    ASSERT_TRUE(page.setControl("add.encoder", "AVI", &error)) << error;
    ASSERT_TRUE(page.setControl("edit2.folder", "/out/avi", &error)) << error;
    ASSERT_TRUE(page.setControl("edit2.template", "[origfilename] small", &error)) << error;
    ASSERT_TRUE(page.setControl("edit1.settings.quality", "30", &error)) << error;
    ASSERT_TRUE(page.setControl("edit1.effects", "-dspeffect1=\"Audio Mute=\"", &error)) << error;
    const XStr vp8q30 = vp8.replaced("-crf 24", "-crf 30");
    ASSERT_NE(vp8q30, vp8);
    EXPECT_EQ(
        host.encoderArgs(),
        "-enc1=\"WebM (VP8)=" + vp8q30 +
            "\" -encDSP1=\"-dspeffect1={mqt}Audio Mute={mqt}\" -enc2=\"AVI=" + defaultsOf("AVI") +
            "\" -encMopt2=\"-tofolder={mqt}/out/avi{mqt} "
            "-dynamic={mqt}[origfilename] small{mqt}\"");
    EXPECT_EQ(page.pageView()[0].text, "1. WebM (VP8), beside the source, 1 effect");
    EXPECT_EQ(page.pageView()[3].text, "2. AVI, to /out/avi/Source Filename small");

    ASSERT_TRUE(page.setControl("multiCPU", "off", &error)) << error;
    EXPECT_TRUE(host.encoderArgs().endsWith(" -nomulti"));
    ASSERT_TRUE(page.setControl("remove1", "", &error)) << error;
    EXPECT_EQ(page.configuration().entries().size(), 1u);
    EXPECT_TRUE(host.encoderArgs().startsWith("-enc1=\"AVI=")) << host.encoderArgs();

    // A page made anew over the host's text shows the same.
    VMCEncoderPageMultiEnc again(&host, fullCatalogue());
    again.viewDidLoad();
    EXPECT_EQ(again.configuration().toString(), host.encoderArgs());
    EXPECT_FALSE(again.configuration().multiCPU());

    EXPECT_FALSE(page.setControl("edit7.folder", "/x", &error));
    EXPECT_FALSE(page.setControl("add.encoder", "[Multi Encoder]", &error))
        << "a multi encoder does not nest";
}

TEST_F(VMCEncoderPageMultiEncTest, AddingIsOnlyDoneWhenTheSheetIsConfirmed) {
    MultiHost host(false);
    VMCEncoderPageMultiEnc page(&host, fullCatalogue());
    page.viewDidLoad();
    const std::unique_ptr<VMCMultiEncConfigureEncoder> sheet = page.addEntry();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->config().encoder.name, "3GP") << "the first offered encoder";
    EXPECT_EQ(sheet->config().fileNaming->fileNamingType(), VMCFileNaming::kSingleFolder)
        << "the host does not allow the source's folder";
    EXPECT_FALSE(sheet->setNamingType(VMCFileNaming::kSameFolder));
    XStrList titles;
    for (const auto& [title, type] : sheet->outputChoices()) {
        titles.push_back(title);
    }
    EXPECT_EQ(titles,
              (XStrList{"One folder", "Folder and naming template", "Use the main naming"}));
    sheet->onCancel();
    EXPECT_TRUE(page.configuration().entries().empty());
    EXPECT_EQ(host.encoderArgs(), "");

    // Editing works on a copy until it is confirmed.
    const std::unique_ptr<VMCMultiEncConfigureEncoder> add = page.addEntry();
    add->setDestinationFolder("/out");
    add->onOK();
    page.confirmAdd(*add);
    const std::unique_ptr<VMCMultiEncConfigureEncoder> edit = page.editEntry(0);
    ASSERT_TRUE(edit->chooseEncoder("Matroska (VP9)"));
    EXPECT_EQ(edit->config().encoderArgsV2.strArgs, defaultsOf("Matroska (VP9)"))
        << "another encoder starts from its page's defaults";
    EXPECT_EQ(page.configuration().entries()[0].encoder.name, "3GP");
    page.confirmEdit(0, *edit);
    EXPECT_EQ(page.configuration().entries()[0].encoder.name, "Matroska (VP9)");
    EXPECT_EQ(page.configuration().entries()[0].fileNaming->destination().url(), "/out");
    EXPECT_EQ(page.configuration().entries()[0].fileNaming->encoderName(), "Matroska (VP9)");
}

TEST_F(VMCEncoderPageMultiEncTest, ConfirmingLetsTheEncoderPageFinishFirst) {
    VMCEncoderPageIndex::registerPage("Closing Test", [](VMCEncoderPageHost* host) {
        return std::make_unique<ClosingPage>(host);
    });
    std::vector<VAEncoderDesc> encoders = {VAEncoderDesc::makeVideoCodec("Closing Test", ".mkv"),
                                           VAEncoderDesc::makeVideoCodec("AVI", ".avi")};
    for (const bool ok : {true, false}) {
        const VMCMultiEncConfigureEncoder* current = nullptr;
        RecordingSheetView view(&current);
        VMCMultiEncConfigureEncoder sheet(VMCMultiEncConfig::newEntry(encoders[1]), true, encoders,
                                          &view);
        current = &sheet;
        sheet.viewDidLoad();
        ASSERT_TRUE(sheet.chooseEncoder("Closing Test"));
        EXPECT_EQ(view.pagesMade, 1);
        EXPECT_EQ(sheet.config().encoderArgsV2.strArgs, "-pending");
        ok ? sheet.onOK() : sheet.onCancel();
        sheet.onOK();
        EXPECT_EQ(view.ends, std::vector<int>{ok ? 1 : 0});
        EXPECT_EQ(view.argsAtEnd, ok ? "-finished" : "-pending");
    }
}

TEST_F(VMCEncoderPageMultiEncTest, AConfigurationMakesTheMultiEncoderPageAvailable) {
    const VMCConfig config(std::nullopt, smallCatalogue(), {});
    VMCEncoderArgsHost host;
    const std::unique_ptr<VMCEncoderPage> page =
        VMCEncoderPageIndex::createFor("[Multi Encoder]", &host);
    EXPECT_NE(dynamic_cast<VMCEncoderPageMultiEnc*>(page.get()), nullptr);
}
