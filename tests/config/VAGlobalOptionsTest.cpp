// The process-wide options and the fixed lists.
#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "VAAppDataFolder.h"
#include "VAGlobalOptions.h"

namespace {

class VAGlobalOptionsTest : public ConfigTest {};

}  // namespace

TEST_F(VAGlobalOptionsTest, TheStandardFieldsInTheirOrder) {
    EXPECT_EQ(XStr::join(VAGlobalOptions::standardMetaFields(), "|"),
              "Artist|Album|Title|Track|Genre|Year|Comment|Album Artist|Band|Disc|Rating|Tempo|"
              "Chorus|Composer|Conductor|Instrument|Label|Orchestra|Period|Soloists|Copyright|"
              "Compilation|ISRC|Lyrics|Mood|Style|Subtitle|UPC|Artist Sort|Album Artist Sort|"
              "Album Sort|ComposerSort|ConductorSort|Title Sort");
    EXPECT_EQ(VAGlobalOptions::standardMetaFields().size(), 34u);
}

TEST_F(VAGlobalOptionsTest, TheBuiltInGenresSortedWithoutRegardToCase) {
    const XStrList genres = VAGlobalOptions::hardcodedGenres();
    // The 125 ID3v1 names from "Blues" to "Euro-House", and three of our own.
    EXPECT_EQ(genres.size(), 128u);
    for (std::size_t i = 1; i < genres.size(); ++i) {
        EXPECT_LE(genres[i - 1].compareNoCase(genres[i]), 0) << genres[i - 1] << " " << genres[i];
    }
    // Where the sort puts the odd ones: "AlternRock" between "Alternative" and "Ambient",
    // brackets before letters.
    const XStr joined = XStr::join(genres, "|");
    EXPECT_TRUE(
        joined.startsWith("[No Genre]|Acapella|Acid|Acid Jazz|Acid Punk|Acoustic|"
                          "Alternative|AlternRock|Ambient|Avantgarde|Ballad|"))
        << joined;
    EXPECT_TRUE(joined.endsWith("|Top 40|Trailer|Trance|Tribal|Trip-Hop|Undefined|Vocal"))
        << joined;
    for (const char* name : {"Rock & Roll", "Euro-House", "Dance Hall", "Psychadelic", "R&B"}) {
        EXPECT_EQ(std::count(genres.begin(), genres.end(), XStr(name)), 1) << name;
    }
}

TEST_F(VAGlobalOptionsTest, TheGenresFileIsWrittenOnceAndThenTheUsers) {
    VAAppDataFolder::registerAppName("VantaroVideo");
    const std::string file = mDir.file("data/VantaroVideo/genres.txt");
    EXPECT_EQ(VAGlobalOptions::pathInProfile("genres.txt"), XStr(file));
    EXPECT_FALSE(fileExists(file));
    EXPECT_EQ(VAGlobalOptions::standardGenres(), VAGlobalOptions::hardcodedGenres());
    EXPECT_EQ(readTextFile(file), XStr::join(VAGlobalOptions::hardcodedGenres(), "\n").utf8())
        << "line feeds between, none at the end";

    writeTextFile(file, "Mine\nYours\n");
    EXPECT_EQ(VAGlobalOptions::standardGenres(), (XStrList{"Mine", "Yours", ""}));
    // Only the first call of a process writes it.
    std::remove(file.c_str());
    EXPECT_TRUE(VAGlobalOptions::standardGenres().empty());
    EXPECT_FALSE(fileExists(file));
}

TEST_F(VAGlobalOptionsTest, InternetAccessUnlessForbidden) {
    EXPECT_TRUE(VAGlobalOptions::allowInterentAccess());
    XRegistry::SetDWORD("NoInternetForVA", 0);
    EXPECT_TRUE(VAGlobalOptions::allowInterentAccess());
    XRegistry::SetDWORD("NoInternetForVA", 1);
    EXPECT_FALSE(VAGlobalOptions::allowInterentAccess());
    EXPECT_GE(VAGlobalOptions::numThreads(), 1u);
}
