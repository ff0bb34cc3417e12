// Which page each "--set" reaches.
#include "VCliPageSettings.h"

#include <gtest/gtest.h>

namespace {

bool knownEffect(const XStr& name) {
    return name.equalsNoCase("Crop") || name.equalsNoCase("Scale Absolute") ||
           name.equalsNoCase("Watermark");
}

struct Outcome {
    bool ok = false;
    std::string error;
    VCliPageSettings::Split split;
};

Outcome run(const XStrList& effects, const XStrList& settings) {
    Outcome o;
    o.ok = VCliPageSettings::split(effects, settings, knownEffect, o.split, o.error);
    return o;
}

}  // namespace

TEST(VCliPageSettings, SettingsReachTheirPagesInTheOrderGiven) {
    const Outcome o =
        run({"Crop", "Scale Absolute"}, {"quality=30", "crop.width=320", "Scale Absolute.width=640",
                                         "advanced.preset=slow", "Crop.height=200", "audio"});
    ASSERT_TRUE(o.ok) << o.error;
    // A point that leaves no effect in front belongs to an encoder sheet, and a bare id is
    // a button.
    EXPECT_EQ(o.split.encoderSettings, (XStrList{"quality=30", "advanced.preset=slow", "audio"}));
    ASSERT_EQ(o.split.effects.size(), 2u);
    EXPECT_EQ(o.split.effects[0].settings, (XStrList{"width=320", "height=200"}));
    EXPECT_EQ(o.split.effects[1].settings, XStrList{"width=640"});
}

TEST(VCliPageSettings, RepeatedEffectsAreNumberedFromOne) {
    const Outcome o = run({"Crop", "Watermark", "crop"},
                          {"Crop#2.x=10", "Crop#1.x=5", "Watermark.image=/a.b/logo.png"});
    ASSERT_TRUE(o.ok) << o.error;
    EXPECT_EQ(o.split.effects[0].settings, XStrList{"x=5"});
    EXPECT_EQ(o.split.effects[1].settings, XStrList{"image=/a.b/logo.png"});
    EXPECT_EQ(o.split.effects[2].settings, XStrList{"x=10"});
    EXPECT_EQ(o.split.effects[2].name, "crop") << "as typed";
}

TEST(VCliPageSettings, MistakesNameTheSetting) {
    EXPECT_EQ(run({"Crop", "Crop"}, {"Crop.x=1"}).error,
              "The setting 'Crop.x=1' could be for any of the 2 effects 'Crop'; write "
              "'Crop#1.x' and so on");
    EXPECT_EQ(run({"Crop"}, {"Crop#2.x=1"}).error,
              "The setting 'Crop#2.x=1' is for effect 'Crop' number 2, but only 1 is added");
    EXPECT_EQ(run({}, {"Watermark.image=a.png"}).error,
              "The setting 'Watermark.image=a.png' is for the effect 'Watermark', which no "
              "--effect adds");
    EXPECT_EQ(run({"Crop"}, {"Rotate#1.angle=90"}).error,
              "The setting 'Rotate#1.angle=90' is for the effect 'Rotate', which no --effect adds");
    // "#" without a number from 1 is not an effect reference: the encoder gets it whole.
    const Outcome o = run({"Crop"}, {"Crop#0.x=1"});
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.split.encoderSettings, XStrList{"Crop#0.x=1"});
}
