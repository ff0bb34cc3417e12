// Every effect of the catalogue opens its page; the pages' controls, resources and checks.
#include <gtest/gtest.h>

#include <set>

#include "DSPPageTestSupport.h"
#include "TestSupport.h"
#include "VACommonVideoEffects.h"
#include "VVCDSPPageCustom.h"
#include "VVCDSPPagePresetChoice.h"
#include "VVCDSPPageScaleMax.h"
#include "VVCDSPPresets.h"
#include "VVCDSPs.h"

namespace {

XStrList catalogueNames() {
    XStrList names;
    for (const VADSPDesc& desc : VVCDSPs::list(true)) {
        names.push_back(desc.name);
    }
    return names;
}

bool isStableId(const XStr& id) {
    if (id.empty() || id.front() == U'-' || id.back() == U'-') {
        return false;
    }
    for (char32_t c : id) {
        if (!((c >= U'a' && c <= U'z') || c == U'-')) {
            return false;
        }
    }
    return true;
}

}  // namespace

TEST(DSPPageIndex, EveryCatalogueEffectOpensItsPage) {
    const XStrList names = catalogueNames();
    ASSERT_EQ(names.size(), 31u);
    for (const XStr& name : names) {
        auto page = newEffect(name);
        ASSERT_NE(page, nullptr) << name;
        // Own effects come from the index, common ones from the common effects.
        EXPECT_EQ(VACommonVideoEffects::createPageFor(name) != nullptr, !VVCDSPs::isOwn(name))
            << name;
        std::set<XStr> ids;
        for (const VVCControl& c : page->pageView()) {
            EXPECT_TRUE(isStableId(c.id)) << name << ": " << c.id;
            EXPECT_TRUE(ids.insert(c.id).second) << name << ": " << c.id << " twice";
        }
        EXPECT_FALSE(ids.empty()) << name;
    }
    EXPECT_EQ(VMCDSPPageIndex::createFor("scale absolute"), nullptr);
    EXPECT_EQ(VMCDSPPageIndex::createFor(""), nullptr);
    EXPECT_EQ(VMCDSPPageIndex::createFor("Generic"), nullptr);
}

TEST(DSPPageIndex, OnlyTheWatermarkChecksItsSettings) {
    for (const XStr& name : catalogueNames()) {
        if (name != "Watermark") {
            XStr why;
            EXPECT_TRUE(newEffect(name)->dspValidate(&why)) << name << ": " << why;
        }
    }
    TestTempDir dir;
    writeTextFile(dir.file("my logo.PNG"), "png");
    writeTextFile(dir.file("notes.txt"), "text");
    const struct {
        XStr image;
        bool valid;
    } cases[] = {
        {"", false},
        {dir.xfile("missing.png"), false},
        {dir.xfile("notes.txt"), false},
        {dir.xfile(""), false},  // the folder itself
        {dir.xfile("my logo.PNG"), true},
    };
    for (const auto& c : cases) {
        auto page = newEffect("Watermark");
        ASSERT_TRUE(page->setControl("image", c.image));
        XStr why;
        EXPECT_EQ(page->dspValidate(&why), c.valid) << c.image;
        EXPECT_EQ(why.empty(), c.valid) << why;
        EXPECT_TRUE(page->dspValidate(nullptr) == c.valid);
    }
}

TEST(DSPPageIndex, ResourcesGiveEveryPresetPageItsPresets) {
    const struct {
        const char* effect;
        const char* resource;
    } pages[] = {{"Aspect Ratio", "Aspect Ratio Data"},
                 {"Frame Rate", "Frame Rate Data"},
                 {"Audio Normalize", "Audio Normalize Data"},
                 {"Audio Resample", "Audio Resample Data"},
                 {"Audio Channel Count", "Channel Count Data"}};
    for (const auto& p : pages) {
        const VVCDSPPresets presets = VVCDSPPresets::load(p.resource);
        ASSERT_GE(presets.size(), 3u) << p.resource;
        auto page = newEffect(p.effect);
        const auto* choice = dynamic_cast<const VVCDSPPagePresetChoice*>(page.get());
        ASSERT_NE(choice, nullptr) << p.effect;
        EXPECT_EQ(choice->presets().comboShown, presets.comboShown);
        // Each value reads back as its own preset.
        for (std::size_t i = 0; i < presets.size(); ++i) {
            EXPECT_EQ(storedEffect(p.effect, presets.comboValues[i])->dspArgs(),
                      presets.comboValues[i]);
        }
    }
    // Every scale preset has the two numbers the maximum page needs.
    const VVCDSPPresets scale = VVCDSPPresets::load("Scale Data");
    ASSERT_GE(scale.size(), 5u);
    VVCDSPPageScaleMax maximum;
    EXPECT_EQ(maximum.presetLabels(), scale.comboShown);
    const XStrList formats = VVCDSPPresets::loadNames("Pixel Formats");
    EXPECT_NE(std::find(formats.begin(), formats.end(), XStr("rgb24")), formats.end());
}

TEST(DSPPageIndex, TheCustomPageOpensTheFilterDocumentation) {
    VVCDSPPageCustom page;
    XStrList opened;
    page.setURLOpener([&opened](const XStr& url) { opened.push_back(url); });
    ASSERT_TRUE(page.setControl("help", ""));
    EXPECT_EQ(opened, XStrList{VVCDSPPageCustom::kHelpURL});
    EXPECT_EQ(page.dspArgs(), "");
}
