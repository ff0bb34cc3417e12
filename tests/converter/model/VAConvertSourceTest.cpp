#include "VAConvertSource.h"

#include <gtest/gtest.h>

#include <map>

#include "TestSupport.h"
#include "VAConvertSourceConcat.h"
#include "VAConvertSourceTemp.h"

namespace {

class VAConvertSourceProbe : public ::testing::Test {
protected:
    void SetUp() override {
        VAConvertSource::setLengthProber([this](const XStr& path, int) {
            probed.push_back(path);
            const auto it = lengths.find(path);
            return it == lengths.end() ? int64_t{0} : it->second;
        });
    }
    void TearDown() override { VAConvertSource::setLengthProber(nullptr); }

    std::map<XStr, int64_t> lengths;
    XStrList probed;
};

TEST(VAConvertSource, PerceivedFilenameDefaultsToTheLastComponent) {
    VAConvertSource source("/m/My Clip.final.mov");
    EXPECT_EQ(source.strPerceivedFilename(), "My Clip.final.mov");
    source.setStrPerceivedFilename(XStr("Shown.mov"));
    EXPECT_EQ(source.strPerceivedFilename(), "Shown.mov");
    source.setStrPerceivedFilename(std::nullopt);
    source.urlPerceived = "/m/folder/";
    EXPECT_EQ(source.strPerceivedFilename(), "folder");
    source.urlPerceived = "plain.mp4";
    EXPECT_EQ(source.strPerceivedFilename(), "plain.mp4");
}

TEST(VAConvertSource, TransformURLsWrapsPathsAndKeepsSources) {
    auto concat = std::make_shared<VAConvertSourceConcat>();
    concat->setConcatURLs({"/m/1.mp4", "/m/2.mp4"});
    const std::vector<VAConvertSource::Item> items = {
        XStr("/m/a.mp4"), std::shared_ptr<VAConvertSource>(concat), XStr(""),
        std::shared_ptr<VAConvertSource>(), XStr("/m/b.mp4")};
    const auto sources = VAConvertSource::transformURLs(items);
    ASSERT_EQ(sources.size(), 3u);
    EXPECT_EQ(sources[0]->urlForConversion, "/m/a.mp4");
    EXPECT_EQ(sources[1], concat);
    EXPECT_EQ(sources[2]->urlPerceived, "/m/b.mp4");
    EXPECT_EQ(VAConvertSource::grabURLs(items), (XStrList{"/m/a.mp4", "/m/1.mp4", "/m/b.mp4"}));
}

TEST(VAConvertSource, GrabURLAnswersThePerceivedPath) {
    VAConvertSource source("/m/real.mp4");
    source.urlPerceived = "/m/shown.mp4";
    const auto shared = std::make_shared<VAConvertSource>(source);
    EXPECT_EQ(VAConvertSource::grabURL(shared), XStr("/m/shown.mp4"));
    EXPECT_EQ(VAConvertSource::grabURL(XStr("/m/x")), XStr("/m/x"));
    EXPECT_EQ(VAConvertSource::grabURL(std::shared_ptr<VAConvertSource>()), std::nullopt);
}

TEST(VAConvertSource, LengthIsZeroWithoutAProber) {
    EXPECT_EQ(VAConvertSource("/m/a.mp4").probeLength(), 0);
}

TEST_F(VAConvertSourceProbe, PlainSourceProbesTheFileForConversion) {
    lengths["/m/real.mp4"] = 61000;
    VAConvertSource source("/m/real.mp4");
    source.urlPerceived = "/m/shown.mp4";
    EXPECT_EQ(source.probeLength(), 61000);
    EXPECT_EQ(probed, XStrList{"/m/real.mp4"});
}

TEST_F(VAConvertSourceProbe, ConcatSumsItsFilesAndFailuresAddNothing) {
    lengths["/m/1.mp4"] = 1500;
    lengths["/m/2.mp4"] = -1;
    lengths["/m/4.mp4"] = 2500;
    VAConvertSourceConcat concat;
    concat.setConcatURLs({"/m/1.mp4", "/m/2.mp4", "/m/3.mp4", "/m/4.mp4"});
    // Asked as any source, the way a job asks.
    const VAConvertSource& source = concat;
    EXPECT_EQ(source.probeLength(), 4000);
    EXPECT_EQ(probed, (XStrList{"/m/1.mp4", "/m/2.mp4", "/m/3.mp4", "/m/4.mp4"}));
}

TEST(VAConvertSourceConcat, FirstFileStandsForTheSource) {
    VAConvertSourceConcat concat;
    EXPECT_EQ(concat.specialActionDesc, XStr("concatenating"));
    concat.setConcatURLs({"/m/b.mp4", "/m/a.mp4"});
    EXPECT_EQ(concat.concatURLs(), (XStrList{"/m/b.mp4", "/m/a.mp4"}));
    EXPECT_EQ(concat.urlForConversion, "/m/b.mp4");
    EXPECT_EQ(concat.urlPerceived, "/m/b.mp4");
    concat.setConcatURLs({});
    EXPECT_EQ(concat.urlForConversion, "");
}

class VAConvertSourceTempFile : public ::testing::Test {
protected:
    TestTempDir mDir;
    ScopedEnv mLocation{"XTempFolderScope_Location", mDir.path().c_str()};
};

TEST_F(VAConvertSourceTempFile, OwnsATemporaryFileUntilDestroyed) {
    XStr tempPath;
    {
        const auto source = VAConvertSourceTemp::withURL("/m/disc.vob", "-f mpeg");
        ASSERT_NE(source, nullptr);
        tempPath = source->urlForConversion;
        EXPECT_EQ(source->urlPerceived, "/m/disc.vob");
        EXPECT_EQ(source->inputOptions, XStr("-f mpeg"));
        EXPECT_TRUE(tempPath.startsWith(XStr(mDir.path())));
        EXPECT_TRUE(tempPath.endsWith(".tmp"));
        EXPECT_TRUE(fileExists(tempPath.utf8()));
        EXPECT_EQ(source->strPerceivedFilename(), "disc.vob");
    }
    EXPECT_FALSE(fileExists(tempPath.utf8()));
}

TEST_F(VAConvertSourceTempFile, NoTemporaryFileNoSource) {
    ScopedEnv missing("XTempFolderScope_Location", (mDir.path() + "/missing").c_str());
    EXPECT_EQ(VAConvertSourceTemp::withURL("/m/disc.vob", ""), nullptr);
}

}  // namespace
