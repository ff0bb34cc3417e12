// The options of "vantaro batch": filter fields and values as filters store them.
#include "VCliBatchOptions.h"

#include <gtest/gtest.h>

namespace {

using Set = VMCFileFilter::ValueSet;

TEST(VCliBatchOptions, FieldValuesAreReadAsFiltersStoreThem) {
    struct Case {
        const char* text;
        const char* field;
        Set values;
    };
    const std::vector<Case> cases = {
        {"File Types=mkv,.Avi, webm", "File Types", {".MKV", ".AVI", ".WEBM"}},
        {"file types=.MP4", "File Types", {".MP4"}},
        {"Resolution=640 x 360,1920 x 1080", "Resolution", {"640 x 360", "1920 x 1080"}},
        {" frame rate =29.97,", "Frame Rate", {"29.97"}},
        {"Date=7", "Date", {"7 Days (1 week)"}},
        {"Date=10", "Date", {"10 days"}},
        {"Date=30 Days (1 month)", "Date", {"30 Days (1 month)"}},
        {"Sample Rate=48000", "Sample Rate", {"48000"}},
    };
    for (const Case& c : cases) {
        XStr field;
        Set values;
        std::string error;
        ASSERT_TRUE(VCliBatchOptions::readFieldValues(c.text, "exclude", field, values, error))
            << c.text << ": " << error;
        EXPECT_EQ(field, c.field) << c.text;
        EXPECT_EQ(values, c.values) << c.text;
    }
    const std::vector<std::pair<const char*, const char*>> bad = {
        {"Resolution", "Invalid value 'Resolution' of '--only' (use FIELD=VALUE,...; FIELD is"},
        {"Mood=happy", "Invalid value 'Mood=happy' of '--only'"},
        {"Date=0", "Invalid number of days '0' of '--only'"},
        {"Resolution=,", "No values given in 'Resolution=,' of '--only'"},
    };
    for (const auto& [text, message] : bad) {
        XStr field;
        Set values;
        std::string error;
        EXPECT_FALSE(VCliBatchOptions::readFieldValues(text, "only", field, values, error));
        EXPECT_EQ(error.rfind(message, 0), 0u) << error;
    }
}

TEST(VCliBatchOptions, ConvertOptionsAndTheSelectionTogether) {
    VCliBatchOptions options;
    std::string error;
    ASSERT_TRUE(VCliBatchOptions::fromArgs(
        {"-r", "/", "--exclude", "Date=7", "--only", "File Types=mp4", "--exclude", "Date=3",
         "--encoder", "MP4 (H264)", "-o", "/tmp/out"},
        options, error))
        << error;
    EXPECT_TRUE(options.recursive);
    EXPECT_EQ(options.folders, XStrList{"/"});
    EXPECT_EQ(options.excludes.at("Date"), (Set{"3 Days", "7 Days (1 week)"}));
    EXPECT_EQ(options.only.at("File Types"), Set{".MP4"});
    EXPECT_EQ(options.convert.encoder, XStr("MP4 (H264)"));
    EXPECT_TRUE(options.convert.files.empty()) << "the files come from the selection";

    VCliBatchOptions columns;
    ASSERT_TRUE(VCliBatchOptions::fromArgs(
        {"--batch-profile", "P", "--list", "--columns", "name, FOLDER,bit rate"}, columns, error));
    EXPECT_EQ(columns.columns, (XStrList{"Name", "Folder", "Bit Rate"}));
    EXPECT_EQ(columns.batchProfile, XStr("P"));
}

}  // namespace
