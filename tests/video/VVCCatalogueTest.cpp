#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "EncoderPageTestSupport.h"
#include "VACommonVideoEffects.h"
#include "VADSPLogos.h"
#include "VADSPMenu.h"
#include "VALogoCache.h"
#include "VMCCodecLogos.h"
#include "VVCCodecs.h"
#include "VVCDSPs.h"
#include "VVCEncoderPageRemux.h"

namespace {

XStrList namesOf(const std::vector<VAEncoderDesc>& encoders) {
    XStrList names;
    for (const VAEncoderDesc& desc : encoders) {
        names.push_back(desc.name);
    }
    return names;
}

}  // namespace

TEST(VVCCodecs, OfferedEncodersSortByCharacterCodeWithAndWithoutGPL) {
    // Joined with a separator no name holds, so the whole list compares as one text.
    EXPECT_EQ(XStr::join(namesOf(VVCCodecs::listEncoders(false)), " | "),
              "AVI | Audio Extract (AAC) | Audio Extract (MP3) | Audio Extract (WAVE) | "
              "Flash Video | GIF Animation | MP4 (Apple H264) | MP4 (Apple H265) | "
              "MP4 (copy, no encoding) | Matroska (Apple H264) | Matroska (Apple H265) | "
              "Matroska (VP9) | Matroska (copy, no encoding) | WMV (Windows Media Video) | "
              "WebM (VP8) | WebM (VP9) | [Custom FFmpeg settings] | [Multi Encoder]");
    EXPECT_EQ(XStr::join(namesOf(VVCCodecs::listEncoders(true)), " | "),
              "3GP | AVI | Audio Extract (AAC) | Audio Extract (MP3) | Audio Extract (WAVE) | "
              "Flash Video | GIF Animation | MOV (Quicktime Movie) | MP4 (Apple H264) | "
              "MP4 (Apple H265) | MP4 (H264) | MP4 (H265) | MP4 (copy, no encoding) | "
              "Matroska (Apple H264) | Matroska (Apple H265) | Matroska (H264) | Matroska (H265) | "
              "Matroska (VP9) | Matroska (copy, no encoding) | VOB | WMV (Windows Media Video) | "
              "WebM (VP8) | WebM (VP9) | [Custom FFmpeg settings] | [Multi Encoder]");
}

TEST(VVCCodecs, HalvesKeepCatalogueOrderAndOnlyTheMultiEncoderIsSpecial) {
    const std::vector<VAEncoderDesc> lgpl = VVCCodecs::listEncodersLGPL();
    EXPECT_EQ(XStr::join(namesOf(VVCCodecs::listEncodersGPL()), " | "),
              XStr("3GP | Matroska (H264) | Matroska (H265) | MOV (Quicktime Movie) | MP4 (H264) | "
                   "MP4 (H265) | VOB"));
    ASSERT_EQ(lgpl.size(), 17u);
    EXPECT_EQ(lgpl.front(), VAEncoderDesc::makeVideoCodec("AVI", ".avi"));
    EXPECT_EQ(lgpl.back(), VAEncoderDesc::makeVideoCodec("[Custom FFmpeg settings]", ""));
    for (const VAEncoderDesc& desc : VVCCodecs::listEncodersGPL()) {
        EXPECT_TRUE(VVCCodecs::isGPL(desc.name)) << desc.name;
    }
    EXPECT_FALSE(VVCCodecs::isGPL("AVI"));
    const std::vector<VAEncoderDesc> all = VVCCodecs::listEncoders(true);
    EXPECT_EQ(VAEncoderDesc::listEncoders_dropSpecial(all).size(), 24u);
    EXPECT_EQ(VAEncoderDesc::formatExtensionOf(all, "MOV (Quicktime Movie)"), XStr(".mov"));
    EXPECT_EQ(VAEncoderDesc::formatExtensionOf(all, "Audio Extract (AAC)"), XStr(".m4a"));
}

// Each page at its defaults, and how many audio choices its container gives: the row's
// format reaches the page.
struct PageRow {
    const char* encoder;
    const char* defaults;
    std::size_t audioChoices;
};

TEST(VMCEncoderPageIndex, EveryEncoderOpensItsPageWhichWritesItsDefaultsAtOnce) {
    const PageRow rows[] = {
        {"AVI", " -f avi -qscale 3", 0},
        {"GIF Animation", " -f gif", 0},
        {"MP4 (copy, no encoding)", "-vcodec copy -acodec aac_at", 2},
        {"Matroska (copy, no encoding)", "-vcodec copy -acodec aac_at", 3},
        {"WMV (Windows Media Video)", " -c:v wmv2 -c:a wmav2 -b:v 2M", 0},
        {"Matroska (VP9)", " -acodec aac_at -c:v libvpx-vp9 -crf 24 ", 3},
        {"Audio Extract (WAVE)", "-vn  -map 0:a:0", 0},
        {"WebM (VP8)", "-acodec libopus -c:v libvpx -crf 24", 1},
        {"WebM (VP9)", " -acodec libopus -c:v libvpx-vp9 -crf 24 ", 1},
        {"Flash Video", " -f flv -qscale 3", 0},
        {"Audio Extract (AAC)", "-vn  -acodec copy -map 0:a:0", 0},
        {"Audio Extract (MP3)", "-vn  -acodec copy -map 0:a:0", 0},
        {"MP4 (Apple H264)", "-c:v h264_videotoolbox -allow_sw 1 -b:v 1M -acodec aac_at", 2},
        {"MP4 (Apple H265)", "-c:v hevc_videotoolbox -allow_sw 1 -b:v 1M -acodec aac_at", 2},
        {"Matroska (Apple H264)", "-c:v h264_videotoolbox -allow_sw 1 -b:v 1M -acodec aac_at", 3},
        {"Matroska (Apple H265)", "-c:v hevc_videotoolbox -allow_sw 1 -b:v 1M -acodec aac_at", 3},
        {"[Custom FFmpeg settings]", "", 0},
        {"3GP", "-f 3gp -vcodec h263 -vf scale=128x96 -acodec amr_nb -ar 8000 -ac 1", 0},
        {"Matroska (H264)", "-c:v libx264 -crf 24 -acodec aac_at", 3},
        {"Matroska (H265)", "-c:v libx265 -crf 24 -acodec aac_at", 3},
        {"MOV (Quicktime Movie)", "-c:v libx264 -crf 24 -acodec aac_at", 2},
        {"MP4 (H264)", "-c:v libx264 -crf 24 -acodec aac_at", 2},
        {"MP4 (H265)", "-c:v libx265 -crf 24 -acodec aac_at", 2},
        {"VOB",
         " -f vob -vf scale=720:576:lanczos,smartblur=1.0:-0.4,colormatrix=bt709:bt601,"
         "setdar=16/9,setsar=64/45 -target ntsc-dvd",
         0},
    };
    std::set<XStr> covered;
    for (const PageRow& row : rows) {
        OpenedPage opened(row.encoder);
        if (!opened.page) {
            continue;
        }
        EXPECT_EQ(opened.args(), XStr(row.defaults)) << row.encoder;
        const std::vector<VVCControl> controls = opened.page->pageView();
        const auto audio = std::find_if(controls.begin(), controls.end(),
                                        [](const VVCControl& c) { return c.id == "audio"; });
        EXPECT_EQ(audio == controls.end() ? 0 : audio->items.size(), row.audioChoices)
            << row.encoder;
        covered.insert(row.encoder);
    }
    for (const VAEncoderDesc& desc :
         VAEncoderDesc::listEncoders_dropSpecial(VVCCodecs::listEncoders(true))) {
        EXPECT_TRUE(covered.contains(desc.name)) << desc.name << " has no row";
    }
}

TEST(VMCEncoderPageIndex, NamesMatchExactlyAndHigherLayersRegisterTheirPages) {
    VMCEncoderArgsHost host;
    EXPECT_EQ(VMCEncoderPageIndex::createFor("mp4 (h264)", &host), nullptr);
    EXPECT_EQ(VMCEncoderPageIndex::createFor("MP4 (H264) ", &host), nullptr);
    EXPECT_EQ(VMCEncoderPageIndex::createFor("MP4 (H264)", nullptr), nullptr);
    EXPECT_EQ(host.writes(), 0) << "creating a page does not load it";

    // The multi encoder's page belongs to the configuration layer, which registers it.
    EXPECT_FALSE(VMCEncoderPageIndex::hasPageFor("[Multi Encoder]"));
    EXPECT_EQ(VMCEncoderPageIndex::createFor("[Multi Encoder]", &host), nullptr);
    VMCEncoderPageIndex::registerPage("Registered Page", [](VMCEncoderPageHost* h) {
        return std::make_unique<VVCEncoderPageRemux>(h, "mp4");
    });
    EXPECT_TRUE(VMCEncoderPageIndex::hasPageFor("Registered Page"));
    EXPECT_FALSE(VMCEncoderPageIndex::hasPageFor("registered page"));
    EXPECT_NE(dynamic_cast<VVCEncoderPageRemux*>(
                  VMCEncoderPageIndex::createFor("Registered Page", &host).get()),
              nullptr);
    EXPECT_EQ(VMCEncoderPageIndex::createFor("Registered Page", nullptr), nullptr);
}

// The common effects and the own ones together, in name order.
TEST(VVCDSPs, AllEffectsInNameOrderWithTheGPLOnesHiddenWithout) {
    for (bool gpl : {false, true}) {
        const std::vector<VADSPDesc> all = VVCDSPs::list(gpl);
        ASSERT_EQ(all.size(), 31u);
        EXPECT_TRUE(std::is_sorted(all.begin(), all.end(),
                                   [](const auto& a, const auto& b) { return a.name < b.name; }));
        std::set<XStr> names;
        XStrList hidden;
        for (const VADSPDesc& desc : all) {
            names.insert(desc.name);
            if (desc.hidden) {
                hidden.push_back(desc.name);
            }
        }
        EXPECT_EQ(names.size(), 31u) << "no name twice";
        const XStrList gplNames = {"Brightness & Contrast", "Denoiser (High Precision 3D)",
                                   "Denoiser (Wavelet)"};
        EXPECT_EQ(hidden, gpl ? XStrList() : gplNames);
    }
    EXPECT_EQ(VVCDSPs::list(false).back().name, XStr("[Custom]"));
    // The common effects' GPL names compare exactly.
    EXPECT_TRUE(VACommonVideoEffects::isGPL("Brightness & Contrast"));
    EXPECT_FALSE(VACommonVideoEffects::isGPL("brightness & contrast"));
    EXPECT_TRUE(VVCDSPs::isOwn("Cut"));
    EXPECT_FALSE(VVCDSPs::isOwn("Crop"));
    EXPECT_FALSE(VVCDSPs::makeVideoDSP("Cut").hidden);
}

TEST(VADSPMenu, OffersTheVisibleEffectsWithImagesAndTheInstallItemWithoutGPL) {
    const std::vector<VADSPMenu::Item> without = VADSPMenu::items(false);
    ASSERT_EQ(without.size(), 28u + 2u);
    EXPECT_EQ(without[28].kind, VADSPMenu::Item::Kind::kSeparator);
    EXPECT_EQ(
        without[29],
        (VADSPMenu::Item{VADSPMenu::Item::Kind::kInstallMissing, "Install missing effects", {}}));
    const std::vector<VADSPMenu::Item> with = VADSPMenu::items(true);
    ASSERT_EQ(with.size(), 31u);
    for (const VADSPMenu::Item& item : with) {
        EXPECT_EQ(item.kind, VADSPMenu::Item::Kind::kEffect);
        EXPECT_TRUE(item.logoPath.endsWith("/logos/dsp-logo-" + item.title + ".png"))
            << item.logoPath;
    }
    EXPECT_EQ(VADSPMenu::listDSPs(false), VVCDSPs::list(false));
}

TEST(VALogoCache, EachNameIsLookedUpOnceAndMissingOnesFallBackToGeneric) {
    XStrList asked;
    VALogoCache cache("logos/x-", [&asked](const XStr& name) {
        asked.push_back(name);
        return name == "logos/x-Crop.png" || name == "logos/x-Generic.png" ? "/r/" + name : XStr();
    });
    EXPECT_EQ(cache.get("Crop"), XStr("/r/logos/x-Crop.png"));
    EXPECT_EQ(cache.get("Flip"), XStr("/r/logos/x-Generic.png"));
    EXPECT_EQ(cache.get("Flip"), XStr("/r/logos/x-Generic.png"));
    EXPECT_EQ(cache.get("Crop"), XStr("/r/logos/x-Crop.png"));
    EXPECT_EQ(asked, (XStrList{"logos/x-Crop.png", "logos/x-Flip.png", "logos/x-Generic.png"}));

    VALogoCache empty("logos/none-", [](const XStr&) { return XStr(); });
    EXPECT_EQ(empty.get("Crop"), XStr());
}

// Each effect's own image is checked with the effect menu.
TEST(VALogoCache, ShippedImagesAreFound) {
    EXPECT_TRUE(VADSPLogos::get("No Such Effect").endsWith("/logos/dsp-logo-Generic.png"));
    EXPECT_TRUE(VMCCodecLogos::get("H265").endsWith("/logos/codec-H265.png"));
    EXPECT_TRUE(VMCCodecLogos::get("AV1").endsWith("/logos/codec-Generic.png"));
}
