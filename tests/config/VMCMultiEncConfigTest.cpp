// The multi encoder's configuration string: what is written for each entry, and that
// everything written reads back into the same entries.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "VMCFileNaming.h"
#include "VMCMultiEncConfig.h"

namespace {

class VMCMultiEncConfigTest : public ConfigTest {
protected:
    static VMCMultiEncEntry entry(const char* encoder, const char* args = "") {
        static const std::vector<VAEncoderDesc> catalogue = fullCatalogue();
        const VAEncoderDesc* desc = VAEncoderDesc::findEncoder(catalogue, encoder);
        EXPECT_NE(desc, nullptr) << encoder;
        VMCMultiEncEntry e = VMCMultiEncConfig::newEntry(*desc);
        e.encoderArgsV2.strArgs = args;
        VMCMultiEncConfig::tellNaming(e);
        return e;
    }
    static VMCMultiEncConfig roundTrip(const VMCMultiEncConfig& config) {
        return VMCMultiEncConfig::fromString(config.toString(), fullCatalogue());
    }
    // Everything the string keeps of an entry.
    static void expectSame(const VMCMultiEncEntry& a, const VMCMultiEncEntry& b) {
        EXPECT_EQ(a.encoder, b.encoder);
        EXPECT_EQ(a.encoderArgsV2, b.encoderArgsV2);
        EXPECT_EQ(a.dspEffects, b.dspEffects);
        ASSERT_TRUE(a.fileNaming && b.fileNaming);
        EXPECT_EQ(a.fileNaming->fileNamingType(), b.fileNaming->fileNamingType());
        if (a.fileNaming->usingDestinationFolder()) {
            EXPECT_EQ(a.fileNaming->destination().url(), b.fileNaming->destination().url());
        }
        if (a.fileNaming->fileNamingType() == VMCFileNaming::kDynamic) {
            EXPECT_EQ(a.fileNaming->dynamicFormat(), b.fileNaming->dynamicFormat());
        }
        EXPECT_EQ(b.fileNaming->encoderName(), b.encoder.name);
        EXPECT_EQ(b.fileNaming->encoderExtra(), b.encoderArgsV2.strArgs);
    }
};

}  // namespace

TEST_F(VMCMultiEncConfigTest, WrittenStrings) {
    struct Case {
        const char* what;
        std::vector<VMCMultiEncEntry> entries;
        bool multiCPU;
        const char* text;
    };
    VMCMultiEncEntry quoted = entry("MP4 (H264)", "-vf \"scale=640:-2\" -crf 23");
    quoted.dspEffects = {{"Watermark", "-vf \"movie=/a b/logo.png\""}, {"Audio Mute", ""}};
    VMCMultiEncEntry custom = entry("[Custom FFmpeg settings]", "-c copy");
    custom.encoderArgsV2.customFormatExt = "mkv";
    custom.encoderArgsV2.frontendData = {{"mode", "fast"}};
    VMCMultiEncEntry folder = entry("WebM (VP8)");
    *folder.fileNaming =
        VMCFileNaming::namingSingleFolderLoc(VMCLocationDescriptor::withFolderPath("/out/web"));
    folder.fileNaming->setFileNamingType(VMCFileNaming::kSingleFolder);
    VMCMultiEncEntry dynamic = entry("AVI");
    *dynamic.fileNaming = VMCFileNaming::namingPreservePath("/out/avi");
    dynamic.fileNaming->setDynamicFormat("[title] \"x\"");
    VMCMultiEncEntry parent = entry("GIF Animation");
    *parent.fileNaming = VMCFileNaming::namingUseParentConfig();

    const Case cases[] = {
        {"one default entry", {entry("MP4 (H264)")}, true, "-enc1=\"MP4 (H264)=\""},
        {"no entries, one at a time", {}, false, "-nomulti"},
        {"quotes",
         {quoted},
         true,
         "-enc1=\"MP4 (H264)=-vf {mqt}scale=640:-2{mqt} -crf 23\" "
         "-encDSP1=\"-dspeffect1={mqt}Watermark=-vf {qt}movie=/a b/logo.png{qt}{mqt} "
         "-dspeffect2={mqt}Audio Mute={mqt}\""},
        {"options",
         {custom, folder},
         false,
         "-enc1=\"[Custom FFmpeg settings]=-c copy\" "
         "-encMopt1=\"-customFormatExt={mqt}mkv{mqt} -encoder-private-mode={mqt}fast{mqt}\" "
         "-enc2=\"WebM (VP8)=\" -encMopt2=\"-tofolder={mqt}/out/web{mqt}\" -nomulti"},
        {"template and main naming",
         {dynamic, parent},
         true,
         "-enc1=\"AVI=\" -encMopt1=\"-tofolder={mqt}/out/avi{mqt} "
         "-dynamic={mqt}[title] \\\\{mqt}x\\\\{mqt}{mqt}\" "
         "-enc2=\"GIF Animation=\" -encMopt2=\"-parentnaming={mqt}1{mqt}\""},
    };
    for (const Case& c : cases) {
        VMCMultiEncConfig config;
        for (const VMCMultiEncEntry& e : c.entries) {
            config.entries().push_back(e.copy());
        }
        config.setMultiCPU(c.multiCPU);
        EXPECT_EQ(config.toString(), c.text) << c.what;

        const VMCMultiEncConfig read = roundTrip(config);
        EXPECT_EQ(read.multiCPU(), c.multiCPU) << c.what;
        ASSERT_EQ(read.entries().size(), c.entries.size()) << c.what;
        for (std::size_t i = 0; i < c.entries.size(); ++i) {
            SCOPED_TRACE(c.what);
            expectSame(c.entries[i], read.entries()[i]);
        }
        EXPECT_EQ(read.toString(), c.text) << c.what;
    }
}

TEST_F(VMCMultiEncConfigTest, TextsThatSurviveARoundTrip) {
    const char* const texts[] = {
        "-vf \"a\\\"b\"",
        "\"",
        "-metadata title=\"It's \\\"quoted\\\"\"",
        "back\\slash \\\\ and \"quote\"",
        "=equals==",
    };
    for (const char* text : texts) {
        VMCMultiEncConfig config;
        VMCMultiEncEntry e = entry("WebM (VP9)", text);
        e.dspEffects = {{"[Custom]", text}, {"Scale Absolute", XStr(text) + " 2"}};
        e.encoderArgsV2.frontendData = {{"key", text}};
        *e.fileNaming = VMCFileNaming::namingPreservePath(XStr("/out/") + text);
        e.fileNaming->setDynamicFormat(XStr("[title]") + text);
        config.entries().push_back(e);
        const VMCMultiEncConfig read = roundTrip(config);
        ASSERT_EQ(read.entries().size(), 1u) << text;
        SCOPED_TRACE(text);
        expectSame(e, read.entries()[0]);
    }
}

TEST_F(VMCMultiEncConfigTest, ReadingStopsAtTheFirstMissingPositionAndSkipsUnknownEncoders) {
    struct Case {
        const char* text;
        XStrList encoders;
        XStrList args;
        bool multiCPU;
    };
    const Case cases[] = {
        {"", {}, {}, true},
        {"-enc2=\"AVI=x\"", {}, {}, true},
        {"-enc1=\"AVI=a\" -enc2=\"Gone (H264)=b\" -enc3=\"WebM (VP8)=c\"",
         {"AVI", "WebM (VP8)"},
         {"a", "c"},
         true},
        {"-enc1=\"AVI=a\" -enc2=\"no equals sign\" -enc3=\"GIF Animation=c\"",
         {"AVI", "GIF Animation"},
         {"a", "c"},
         true},
        {"-enc1=\"AVI=a\" -enc3=\"WebM (VP8)=c\" -nomulti", {"AVI"}, {"a"}, false},
        {"-ENC1=\"AVI=a=b\" -NOMULTI", {"AVI"}, {"a=b"}, false},
        {"-enc1=\"[Multi Encoder]=x\" -enc2=\"AVI=y\"", {"AVI"}, {"y"}, true},
        {"-enc1=\"avi=x\"", {}, {}, true},
    };
    for (const Case& c : cases) {
        const VMCMultiEncConfig config = VMCMultiEncConfig::fromString(c.text, fullCatalogue());
        XStrList names;
        XStrList args;
        for (const VMCMultiEncEntry& e : config.entries()) {
            names.push_back(e.encoder.name);
            args.push_back(e.encoderArgsV2.strArgs);
        }
        EXPECT_EQ(names, c.encoders) << c.text;
        EXPECT_EQ(args, c.args) << c.text;
        EXPECT_EQ(config.multiCPU(), c.multiCPU) << c.text;
    }
}

TEST_F(VMCMultiEncConfigTest, OptionsAreReadWithoutRegardToCaseAndIntoTheirOwnEntry) {
    const VMCMultiEncConfig config = VMCMultiEncConfig::fromString(
        "-enc1=\"AVI=\" -encMopt1=\"-Encoder-Private-Speed={mqt}9{mqt} -CUSTOMFORMATEXT=avi2\" "
        "-enc2=\"AVI=\" -encmopt2=\"-ToFolder=/x -Dynamic=[title]\" "
        "-enc3=\"AVI=\" -encMopt3=\"-tofolder=/y -parentnaming\" "
        "-enc4=\"AVI=\" -encMopt4=\"-tofolder\" -encdsp4=\"-dspeffect1={mqt}Audio Mute={mqt}\"",
        fullCatalogue());
    ASSERT_EQ(config.entries().size(), 4u);
    const auto& e = config.entries();
    EXPECT_EQ(e[0].encoderArgsV2.frontendData, (std::map<XStr, XStr>{{"Speed", "9"}}));
    EXPECT_EQ(e[0].encoderArgsV2.customFormatExt, "avi2");
    EXPECT_EQ(e[0].fileNaming->fileNamingType(), VMCFileNaming::kSameFolder);
    EXPECT_TRUE(e[1].encoderArgsV2.frontendData.empty());
    EXPECT_EQ(e[1].fileNaming->fileNamingType(), VMCFileNaming::kDynamic);
    EXPECT_EQ(e[1].fileNaming->destination().url(), "/x");
    EXPECT_EQ(e[1].fileNaming->dynamicFormat(), "[title]");
    EXPECT_EQ(e[2].fileNaming->fileNamingType(), VMCFileNaming::kUseParent);
    EXPECT_EQ(e[3].fileNaming->fileNamingType(), VMCFileNaming::kSameFolder)
        << "an empty folder is no destination";
    ASSERT_EQ(e[3].dspEffects.size(), 1u);
    EXPECT_EQ(e[3].fileNaming->dspEffectsString(), "-dspeffect1=\"Audio Mute=\"");
}

TEST_F(VMCMultiEncConfigTest, CopiesAreIndependent) {
    VMCMultiEncConfig config;
    config.entries().push_back(entry("AVI", "-q 1"));
    const VMCMultiEncConfig copy = config;
    config.entries()[0].fileNaming->setDynamicFormat("[changed]");
    config.entries()[0].encoderArgsV2.strArgs = "-q 2";
    EXPECT_EQ(copy.entries()[0].fileNaming->dynamicFormat(), "[artist]/[artist] - [title]");
    EXPECT_EQ(copy.entries()[0].encoderArgsV2.strArgs, "-q 1");
    const VMCMultiEncEntry single = config.entries()[0].copy();
    config.entries()[0].fileNaming->setFileNamingType(VMCFileNaming::kUseParent);
    EXPECT_EQ(single.fileNaming->fileNamingType(), VMCFileNaming::kSameFolder);
}
