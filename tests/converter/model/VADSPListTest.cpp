#include "VADSPList.h"

#include <gtest/gtest.h>

#include "RandomText.h"
#include "VAConversionSpec.h"
#include "VADSPSpec.h"

namespace {

TEST(VADSPListWrite, ItemsAreNumberedFromOneAndBackslashesAreEscaped) {
    const VADSPChain chain = {{"Scale Absolute", "-vf scale=640:-2"},
                              {"Watermark", "-vf \"movie='/a b.png'\""},
                              {"Delete Source File", ""}};
    EXPECT_EQ(VADSPList::mergeDSPString(chain),
              "-dspeffect1=\"Scale Absolute=-vf scale=640:-2\" "
              "-dspeffect2=\"Watermark=-vf {qt}movie='/a b.png'{qt}\" "
              "-dspeffect3=\"Delete Source File=\"");
    EXPECT_EQ(VADSPList::mergeDSPString({}), "");
    EXPECT_EQ(VADSPList::mergeDSPString({{"Subtitles", "-vf subtitles=C\\:/x.srt"}}),
              "-dspeffect1=\"Subtitles=-vf subtitles=C\\\\:/x.srt\"");
}

// Quotes, backslashes, empty names and arguments survive.
TEST(VADSPListRoundTrip, RandomChains) {
    RandomText random(31);
    for (int i = 0; i < 3000; ++i) {
        VADSPChain chain;
        const std::size_t n = random.below(5);
        for (std::size_t k = 0; k < n; ++k) {
            // Names end at the first equals sign, so they hold none.
            chain.push_back({random.text(RandomText::kTricky, 8).replaced("=", ""),
                             random.text(RandomText::kTricky, 16)});
        }
        const XStr text = VADSPList::mergeDSPString(chain);
        if (VADSPList::splitDSPString(text) != chain) {
            ADD_FAILURE() << "first failing chain written as [" << text << "]";
            return;
        }
    }
}

TEST(VADSPListRead, EachTextGivesItsChain) {
    const struct {
        XStr text;
        VADSPChain chain;
    } rows[] = {
        // A name ends at the first equals sign.
        {"-dspeffect1=\"Crop=-vf crop=w=1:h=2\" -dspeffect2=\"Bare\" -dspeffect3=\"Q={qt}a{qt}\"",
         {{"Crop", "-vf crop=w=1:h=2"}, {"Bare", ""}, {"Q", "\"a\""}}},
        // The chain is the unbroken run from one.
        {"-dspeffect2=\"B=2\" -dspeffect1=\"A=1\" -dspeffect4=\"D=4\"", {{"A", "1"}, {"B", "2"}}},
        {"-dspeffect2=\"B=2\"", {}},
        // Element names ignore case; the first of two items with the same number wins.
        {"-DSPEFFECT1=\"Deinterlace=-vf yadif\"", {{"Deinterlace", "-vf yadif"}}},
        {"-dspeffect1=\"A=1\" -dspeffect1=\"B=2\"", {{"A", "1"}}},
        // Anything else gives an empty chain.
        {"", {}},
        {"garbage -dspeffect1=\"A=1\"", {}},
        {"\"unclosed", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(VADSPList::splitDSPString(row.text), row.chain) << row.text;
    }
}

TEST(VADSPListRead, UnknownNamesAreKept) {
    EXPECT_EQ(VADSPList::stringToDSPs(VADSPList::dspsToString({{"No Such Effect", "-x"}})),
              (VADSPChain{{"No Such Effect", "-x"}}));
}

TEST(VADSPSpecData, TwoItemsMakeASpecAndAnyOtherCountNothing) {
    const VADSPSpec spec{"Scale", "-vf scale=1:1"};
    EXPECT_EQ(spec.data(), (XStrList{"Scale", "-vf scale=1:1"}));
    EXPECT_EQ(VADSPSpec::initWithData(spec.data()), spec);
    EXPECT_EQ(spec.copy(), spec);
    EXPECT_EQ(VADSPSpec::initWithData({}), std::nullopt);
    EXPECT_EQ(VADSPSpec::initWithData({"Scale"}), std::nullopt);
    EXPECT_EQ(VADSPSpec::initWithData({"Scale", "a", "b"}), std::nullopt);
}

TEST(VAConversionSpecDsp, DspStringReadsAndWritesTheChain) {
    VAConversionSpec spec;
    spec.setDspString("-dspeffect1=\"Denoiser (Wavelet)=-vf {qt}vaguedenoiser{qt}\"");
    ASSERT_EQ(spec.dspEffects.size(), 1u);
    EXPECT_EQ(spec.dspEffects[0].args, "-vf \"vaguedenoiser\"");
    spec.dspEffects.push_back({"Delete Source File", ""});
    EXPECT_EQ(spec.dspString(),
              "-dspeffect1=\"Denoiser (Wavelet)=-vf {qt}vaguedenoiser{qt}\" "
              "-dspeffect2=\"Delete Source File=\"");
    spec.setDspString("");
    EXPECT_TRUE(spec.dspEffects.empty());
}

}  // namespace
