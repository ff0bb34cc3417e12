#include "VMCPage.h"

#include <gtest/gtest.h>

namespace {

class Sheet : public VMCPage {
public:
    std::vector<VVCControl> pageView() const override {
        return {VVCControl::choice("preset", "Preset", {"Fast", "Medium", "Slow"}, preset)};
    }
    int preset = 1;

protected:
    void applyControl(const VVCControl&, const VVCControlValue& v) override { preset = v.integer; }
};

// A page with one control of each kind; "mode" off disables the slider.
class TestPage : public VMCPage {
public:
    std::vector<VVCControl> pageView() const override {
        VVCControl quality = VVCControl::slider("quality", "Quality", 0, 50, position,
                                                XStr::format("Quality (CRF) %d", 51 - position));
        quality.enabled = enabled;
        return {quality,
                VVCControl::checkBox("enabled", "Enabled", enabled),
                VVCControl::numberField("gain", "Gain", gain, -10, 10, 1),
                VVCControl::textField("title", "Title", title),
                VVCControl::button("advanced", "Advanced...", true),
                VVCControl::label("note", "Only a label")};
    }
    VMCPage* openSheet(const XStr& id) override {
        if (id != "advanced") {
            return nullptr;
        }
        mSheet = std::make_unique<Sheet>();
        mSheet->preset = preset;
        return mSheet.get();
    }
    void closeSheet(const XStr&, bool ok) override {
        if (ok) {
            preset = mSheet->preset;
        }
        ++sheetsClosed;
        mSheet.reset();
    }

    int position = 27;
    bool enabled = true;
    double gain = 0;
    XStr title;
    int preset = 1;
    int sheetsClosed = 0;
    XStrList applied;

protected:
    void applyControl(const VVCControl& c, const VVCControlValue& v) override {
        applied.push_back(c.id);
        if (c.id == "quality") {
            position = v.integer;
        } else if (c.id == "enabled") {
            enabled = v.integer != 0;
        } else if (c.id == "gain") {
            gain = v.number;
        } else if (c.id == "title") {
            title = v.text;
        }
    }

private:
    std::unique_ptr<Sheet> mSheet;
};

}  // namespace

TEST(VMCPage, ValuesAreCheckedAgainstTheirControlBeforeThePageSeesThem) {
    TestPage page;
    XStr error;
    EXPECT_TRUE(page.setControl("quality", "50", &error));
    EXPECT_EQ(page.position, 50);
    EXPECT_FALSE(page.setControl("quality", "51", &error));
    EXPECT_EQ(error, XStr("The control 'quality' takes a value from 0 to 50 (or its position #1 to "
                          "#51), not '51'"));
    EXPECT_TRUE(page.setControl("quality", "#1", &error)) << "a slider without shown values";
    EXPECT_EQ(page.position, 0);
    EXPECT_FALSE(page.setControl("quality", "2x", &error));
    EXPECT_TRUE(page.setControl("enabled", "OFF", &error));
    EXPECT_FALSE(page.enabled);
    EXPECT_FALSE(page.setControl("quality", "10", &error)) << "disabled now";
    EXPECT_EQ(error, XStr("The control 'quality' cannot be changed in the current settings"));
    EXPECT_FALSE(page.setControl("enabled", "maybe", &error));
    EXPECT_TRUE(page.setControl("gain", "-2.5", &error));
    EXPECT_DOUBLE_EQ(page.gain, -2.5);
    EXPECT_FALSE(page.setControl("gain", "11", &error));
    EXPECT_FALSE(page.setControl("gain", "1e3", &error));
    EXPECT_TRUE(page.setControl("title", "a \"b\" c", &error));
    EXPECT_EQ(page.title, XStr("a \"b\" c"));
    EXPECT_FALSE(page.setControl("note", "x", &error));
    EXPECT_EQ(page.applied, (XStrList{"quality", "quality", "enabled", "gain", "title"}));
}

TEST(VMCPage, UnknownControlsAreNamedWithTheValidOnes) {
    TestPage page;
    XStr error;
    EXPECT_FALSE(page.setControl("crf", "20", &error));
    EXPECT_EQ(error, XStr("No control 'crf'. The controls are:\n  quality\n  enabled\n  gain\n"
                          "  title\n  advanced"));
}

TEST(VMCPage, SheetControlsAreReachedThroughTheirButton) {
    TestPage page;
    XStr error;
    EXPECT_TRUE(page.setControl("advanced.preset", "slow", &error)) << error;
    EXPECT_EQ(page.preset, 2);
    EXPECT_TRUE(page.setControl("advanced.preset", "0", &error));
    EXPECT_EQ(page.preset, 0);
    // A bad value cancels the sheet: the page keeps its setting.
    EXPECT_FALSE(page.setControl("advanced.preset", "Turbo", &error));
    EXPECT_EQ(error, XStr("The control 'preset' takes one of these values (or its position #1 to "
                          "#3), not 'Turbo':\n  Fast\n  Medium\n  Slow"));
    EXPECT_EQ(page.preset, 0);
    EXPECT_EQ(page.sheetsClosed, 3);

    const std::vector<VVCControl> all = page.allControls();
    ASSERT_EQ(all.size(), 7u);
    EXPECT_EQ(all[5].id, XStr("advanced.preset"));
    EXPECT_EQ(all[5].currentValueText(), XStr("Fast"));
    EXPECT_EQ(page.sheetsClosed, 4) << "listing opens and cancels the sheet";
}
