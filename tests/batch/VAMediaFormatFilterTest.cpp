// The format lists: how their pairs are read, and what the lists of the resources hold.
#include "VAMediaFormatFilter.h"

#include <gtest/gtest.h>

#include <set>

#include "BatchTestSupport.h"
#include "VAResources.h"

namespace {

TEST(VAMediaFormatFilter, ReadsPairsAndLooksUpExtensionsInAnyCase) {
    const auto filter = VAMediaFormatFilter::fromLists(
        {"MPEG-4 Video\r\n.mp4; .m4v\n\n.skipped\nNo Extensions\n\nMatroska\n.mkv",
         "MP3 Audio\n.mp3\n"});
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->lstExtension(), (XStrList{".mp4", ".m4v", ".mkv", ".mp3"}))
        << "a pair with an empty line is skipped";
    EXPECT_EQ(filter->lstExtDescription(),
              (XStrList{"MPEG-4 Video", "MPEG-4 Video", "Matroska", "MP3 Audio"}));
    struct Case {
        const char* path;
        const char* format;
    };
    const std::vector<Case> cases = {
        {"/a/clip.mp4", "MPEG-4 Video"},
        {"/a/CLIP.M4V", "MPEG-4 Video"},
        {"song.mp3", "MP3 Audio"},
        {"/a/clip.mkv", "Matroska"},
        {"/a/clip.skipped", nullptr},
        {"/a/mp4", nullptr},
        {"/a/.mp4", nullptr},
        {"/a.mp4/clip", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<XStr> format = filter->fileTypeOf(c.path);
        EXPECT_EQ(format.has_value(), c.format != nullptr) << c.path;
        if (format && c.format != nullptr) {
            EXPECT_EQ(*format, c.format) << c.path;
        }
    }
    auto all = VAMediaFormatFilter::fromLists({"MPEG-4 Video\n.mp4\n"});
    all->toggleAll(false);
    EXPECT_FALSE(all->isMediaFile("a.mp4"));
    all->toggleAll(true);
    EXPECT_TRUE(all->isMediaFile("a.mp4"));
}

class FormatLists : public BatchTest {};

TEST_F(FormatLists, AudioFormatsOnlyWhileTheSettingShowsThem) {
    const auto video = VAMediaFormatFilter::init();
    ASSERT_NE(video, nullptr);
    EXPECT_TRUE(video->isMediaFile("a.mkv"));
    EXPECT_FALSE(video->isMediaFile("a.flac"));
    XRegistry::SetDWORD(VAMediaFormatFilter::kShowAudioOnly, 1);
    const auto both = VAMediaFormatFilter::init();
    EXPECT_TRUE(both->isMediaFile("a.flac"));
    EXPECT_EQ(both->fileTypeOf("a.mkv"), video->fileTypeOf("a.mkv"))
        << "the audio list comes after the video list";
    EXPECT_GT(both->formats().size(), video->formats().size());
}

TEST_F(FormatLists, TheResourcesPairEveryDescriptionWithExtensionsOnce) {
    for (const char* list : {VAMediaFormatFilter::kVideoList, VAMediaFormatFilter::kAudioList}) {
        const std::optional<std::string> text = VAResources::read(list);
        ASSERT_TRUE(text.has_value()) << list;
        const auto filter = VAMediaFormatFilter::fromLists({*text});
        ASSERT_NE(filter, nullptr) << list;
        std::size_t lines = 0;
        for (char c : *text) {
            lines += c == '\n' ? 1 : 0;
        }
        EXPECT_EQ(lines % 2, 0u) << list << " holds pairs of lines";
        EXPECT_GT(filter->formats().size(), lines / 2) << list;
        for (const VAMediaFormatFilterEntry& entry : filter->formats()) {
            EXPECT_TRUE(entry.extension.startsWith(".")) << list << ": " << entry.extension;
            EXPECT_EQ(entry.extension, entry.extension.lowerASCII()) << entry.extension;
        }
    }
    const auto both = VAMediaFormatFilter::init(true);
    std::set<XStr> seen;
    for (const VAMediaFormatFilterEntry& entry : both->formats()) {
        EXPECT_TRUE(seen.insert(entry.extension).second) << "listed twice: " << entry.extension;
    }
}

}  // namespace
