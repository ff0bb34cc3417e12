#include "VAEncoderDesc.h"

#include <gtest/gtest.h>

namespace {

std::vector<VAEncoderDesc> sampleCatalogue() {
    return {VAEncoderDesc::makeVideoCodec("MP4 (H264)", ".mp4"),
            VAEncoderDesc::makeMultiEncoder(),
            VAEncoderDesc::makeVideoCodec("avi (MPEG4)", ".avi"),
            VAEncoderDesc::makeVideoCodec("[Custom FFmpeg settings]", ""),
            VAEncoderDesc::makeVideoCodec("MKV (H265)", ".mkv"),
            VAEncoderDesc::makeVideoCodec("Audio (MP3)", ".mp3")};
}

std::vector<VAEncoderPickerItem> itemsOf(std::initializer_list<const char*> titles) {
    std::vector<VAEncoderPickerItem> items;
    for (const char* title : titles) {
        items.push_back(title == nullptr ? VAEncoderPickerItem::makeSeparator()
                                         : VAEncoderPickerItem{title});
    }
    return items;
}

TEST(VAEncoderDescMake, MultiEncoderIsKnownByItsName) {
    VAEncoderDesc desc = VAEncoderDesc::makeVideoCodec("[Multi Encoder]", "");
    EXPECT_TRUE(desc.isMultiEncoder());
    desc.name = "[multi encoder]";
    EXPECT_FALSE(desc.isMultiEncoder());
}

TEST(VAEncoderDescFind, NameMustMatchExactlyAndTheFirstOfTwoWins) {
    const auto catalogue = sampleCatalogue();
    const VAEncoderDesc* found = VAEncoderDesc::findEncoder(catalogue, "MKV (H265)");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->formatExtension, ".mkv");
    EXPECT_EQ(VAEncoderDesc::findEncoder(catalogue, "mkv (h265)"), nullptr);
    EXPECT_EQ(VAEncoderDesc::findEncoder(catalogue, "MKV (H265) "), nullptr);
    EXPECT_EQ(VAEncoderDesc::findEncoder({}, "MKV (H265)"), nullptr);
    EXPECT_EQ(VAEncoderDesc::formatExtensionOf(catalogue, "Audio (MP3)"), XStr(".mp3"));
    EXPECT_EQ(VAEncoderDesc::formatExtensionOf(catalogue, "[Custom FFmpeg settings]"), XStr(""));
    EXPECT_EQ(VAEncoderDesc::formatExtensionOf(catalogue, "audio (mp3)"), std::nullopt);
    const std::vector<VAEncoderDesc> twice = {VAEncoderDesc::makeVideoCodec("X", ".a"),
                                              VAEncoderDesc::makeVideoCodec("X", ".b")};
    EXPECT_EQ(VAEncoderDesc::formatExtensionOf(twice, "X"), XStr(".a"));
}

TEST(VAEncoderDescList, DropSpecialKeepsTheOrder) {
    XStrList names;
    for (const VAEncoderDesc& desc : VAEncoderDesc::listEncoders_dropSpecial(sampleCatalogue())) {
        names.push_back(desc.name);
    }
    EXPECT_EQ(names, (XStrList{"MP4 (H264)", "avi (MPEG4)", "[Custom FFmpeg settings]",
                               "MKV (H265)", "Audio (MP3)"}));
}

TEST(VAEncoderDescList, SortIgnoresAsciiCaseAndIsStable) {
    XStrList names = {"mp4", "AVI", "Mp4", "avi", "[Multi Encoder]", "MP4", "b"};
    VAEncoderDesc::sortEncoderNames(names);
    // "[" comes before the letters once they are folded to lower case.
    EXPECT_EQ(names, (XStrList{"[Multi Encoder]", "AVI", "avi", "b", "mp4", "Mp4", "MP4"}));
}

// The picker: the multi encoder first, then a separator, the others sorted, a separator,
// and other special-purpose encoders last; suppressed names (in any case) are left out.
TEST(VAEncoderDescPicker, ItemsInTheirSectionsWithoutTheSuppressed) {
    auto withSpecials = sampleCatalogue();
    VAEncoderDesc special = VAEncoderDesc::makeVideoCodec("Burn Disc", "");
    special.isSpecialPurpose = true;
    withSpecials.insert(withSpecials.begin(), special);
    special.name = "Audio CD";
    withSpecials.push_back(special);
    const struct {
        std::vector<VAEncoderDesc> catalogue;
        std::set<XStr> suppressed;
        std::vector<VAEncoderPickerItem> items;
    } rows[] = {
        {sampleCatalogue(),
         {},
         itemsOf({"[Multi Encoder]", nullptr, "[Custom FFmpeg settings]", "Audio (MP3)",
                  "avi (MPEG4)", "MKV (H265)", "MP4 (H264)", nullptr})},
        {VAEncoderDesc::listEncoders_dropSpecial(sampleCatalogue()),
         {},
         itemsOf({"[Custom FFmpeg settings]", "Audio (MP3)", "avi (MPEG4)", "MKV (H265)",
                  "MP4 (H264)", nullptr})},
        {sampleCatalogue(),
         {"[Multi Encoder]", "avi (MPEG4)", "mkv (h265)"},
         itemsOf({"[Custom FFmpeg settings]", "Audio (MP3)", "MKV (H265)", "MP4 (H264)", nullptr})},
        {withSpecials,
         {"MKV (H265)"},
         itemsOf({"[Multi Encoder]", nullptr, "[Custom FFmpeg settings]", "Audio (MP3)",
                  "avi (MPEG4)", "MP4 (H264)", nullptr, "Audio CD", "Burn Disc"})},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(VAEncoderDesc::encoderPickerItems(row.catalogue, row.suppressed), row.items)
            << row.suppressed.size() << " suppressed";
    }
}

}  // namespace
