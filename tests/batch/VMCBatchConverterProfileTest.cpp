// Batch profiles: the file they are kept in, a round trip, and damaged files.
#include "VMCBatchConverterProfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "BatchTestSupport.h"

namespace {

using Set = VMCFileFilter::ValueSet;

class BatchProfile : public BatchTest {
protected:
    std::string profileFile(const std::string& name) const {
        return path("data/VantaroVideo/BatchProfiles/" + name);
    }
};

TEST_F(BatchProfile, SavedAndLoadedAgainItIsTheSame) {
    VMCFileFilter filter;
    filter.setFilterMeta("File Types", Set{".MKV", ".AVI"});
    filter.setFilterMeta("Date", Set{"7 Days (1 week)"});
    filter.setFilterMeta("Resolution", Set{"640 x 360"});
    filter.setFilterMeta("Not A Field", Set{"x"});
    XPropertyDictionary selection;
    selection.set("/media/Series", XStr("Recursive"));
    selection.set("/media/Films/a.mkv", XStr("Checked"));

    auto profile = VMCBatchConverterProfile::newProfileNamed("Week of films");
    profile->setFilters(filter);
    profile->setSelection(selection);
    ASSERT_TRUE(profile->save());
    EXPECT_EQ(permissionsOf(path("data/VantaroVideo/BatchProfiles")), 0700u);

    EXPECT_EQ(readTextFile(profileFile("Week of films.txt")),
              "{\n"
              "    \"filters\":{\n"
              "        \"Date\":[\"7 Days (1 week)\"],\n"
              "        \"File Types\":[\".AVI\", \".MKV\"],\n"
              "        \"Resolution\":[\"640 x 360\"]\n"
              "    },\n"
              "    \"selection\":{\n"
              "        \"/media/Series\":\"Recursive\",\n"
              "        \"/media/Films/a.mkv\":\"Checked\"\n"
              "    }\n"
              "}");

    auto loaded = VMCBatchConverterProfile::profileByName("Week of films");
    VMCFileFilter back;
    loaded->getFilters(back);
    VMCFileFilter known = filter;
    known.setFilterMeta("Not A Field", Set());
    EXPECT_TRUE(back.isEqualToFilter(known)) << "only the fields of a filter are kept";
    ASSERT_TRUE(loaded->selection().has_value());
    EXPECT_EQ(*loaded->selection(), selection);
    EXPECT_EQ(VMCBatchConverterProfile::listProfileNames(), XStrList{"Week of films"});

    EXPECT_TRUE(loaded->deleteProfile());
    EXPECT_TRUE(loaded->name().empty());
    EXPECT_FALSE(fileExists(profileFile("Week of films.txt")));
    EXPECT_TRUE(VMCBatchConverterProfile::listProfileNames().empty());
}

TEST_F(BatchProfile, DamagedFilesLoadWhatTheyCan) {
    ASSERT_EQ(VMCBatchConverterProfile::profileFolder(), xpath("data/VantaroVideo/BatchProfiles"));
    struct Case {
        const char* what;
        const char* text;
        std::map<XStr, Set> filters;
        bool selection;
    };
    const std::vector<Case> cases = {
        {"not JSON", "{\"filters\":", {}, false},
        {"not an object", "[1, 2]", {}, false},
        {"filters as an array",
         "{\"filters\":[\"Date\"],\"selection\":{\"/a\":\"Recursive\"}}",
         {},
         true},
        {"numbers among the values",
         "{\"filters\":{\"Frame Rate\":[25, \"30\"],\"Channels\":2,\"Date\":[]}}",
         {{"Frame Rate", {"30"}}},
         false},
        {"a selection that is no object", "{\"filters\":{},\"selection\":\"all\"}", {}, false},
    };
    for (const Case& c : cases) {
        writeTextFile(profileFile("damaged.txt"), c.text);
        auto profile = VMCBatchConverterProfile::profileByName("damaged");
        EXPECT_EQ(profile->name(), "damaged");
        EXPECT_EQ(profile->filtersData(), c.filters) << c.what;
        EXPECT_EQ(profile->selection().has_value(), c.selection) << c.what;
    }
    auto missing = VMCBatchConverterProfile::profileByName("missing");
    EXPECT_TRUE(missing->filtersData().empty());
    EXPECT_FALSE(missing->selection().has_value());
}

TEST_F(BatchProfile, NamesBecomeOneFileNameAndAnEmptyNameWritesNothing) {
    auto unnamed = VMCBatchConverterProfile::newProfileNamed("");
    EXPECT_FALSE(unnamed->save());
    EXPECT_TRUE(folderEntries(path("data/VantaroVideo/BatchProfiles")).empty());

    auto slashed = VMCBatchConverterProfile::newProfileNamed("../a/b");
    ASSERT_TRUE(slashed->save());
    EXPECT_EQ(folderEntries(path("data/VantaroVideo/BatchProfiles")),
              std::vector<std::string>{"-a-b.txt"});
    EXPECT_EQ(readTextFile(profileFile("-a-b.txt")), "{\n    \"filters\":{\n    }\n}");

    auto copy = slashed->copyWithName("second");
    EXPECT_EQ(copy->name(), "second");
    EXPECT_TRUE(copy->saveAs("third"));
    EXPECT_EQ(VMCBatchConverterProfile::listProfileNames(), (XStrList{"-a-b", "third"}));
}

TEST_F(BatchProfile, TheFilterNamesComeInTheirOrder) {
    EXPECT_EQ(VMCBatchConverterProfile::filterNames(),
              (XStrList{"File Types", "Date", "Resolution", "Frame Rate", "Aspect Ratio",
                        "Pixel Format", "Profile", "Color Space", "Channels", "Sample Rate"}));
}

}  // namespace
