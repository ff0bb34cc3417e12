// The coloured help text of a template and the test for templates that read metadata.
#include <gtest/gtest.h>

#include <string>

#include "VMCNamingTemplate.h"

namespace {

std::string label(const std::string& text) {
    return "_RGB_-RGB-000-000-120" + text + "_RGB_-RGB-000-000-000";
}

std::string function(const std::string& token) {
    return "_RGB_-RGB-000-120-000" + token + "_RGB_-RGB-000-000-000";
}

TEST(DescribeNamingTemplate, LabelsAndFunctionsColoured) {
    struct Row {
        const char* name;
        const char* templ;
        std::string described;
    };
    const Row rows[] = {
        {"plain text", "folder/name", "folder/name"},
        {"element", "[artist]/[album]", label("Artist") + "/" + label("Album")},
        {"any case", "[ARTIST]", label("Artist")},
        {"function with closing pair", "[upper][title][]",
         function("[UPPER]") + label("Title") + function("[]")},
        {"first label of extension", "[extension]", label("Encoder Extension")},
        {"drive label", "[origdrive]", label("Source Drive:\\")},
        {"texts as they stand", "[track_unpad][Track_Total_Unpad]",
         label("TrackNum Unpaddded") + label("Track Total  Unpaddded")},
        {"source elements", "[origpath]/[origfilename][subpath]",
         label("Source Path") + "/" + label("Source Filename") + label("Sub Path")},
        {"now fields", "[date][time][day_of_week][now_year]",
         label("Date") + label("Now Time") + label("Now Day of Week") + label("Now Year")},
        {"media fields", "[channels_subone][k_bitrate][encoder+][length_hhmmss]",
         label("Channels -1") + label("Kbps") + label("Encoder Extra") + label("Length hh:mm:ss")},
        {"del and multitag stay plain", "[DEL]1,2,x[][multitag]a[]",
         "[DEL]1,2,x" + function("[]") + "[multitag]a" + function("[]")},
        {"tag constructs", "[tag]a[][tags]a,b[]",
         function("[TAG]") + "a" + function("[]") + function("[TAGS]") + "a,b" + function("[]")},
        {"tag tests", "[ifvalue]a,b,c[][IF!equals]g,r,x[]",
         function("[IFVALUE]") + "a,b,c" + function("[]") + function("[IF!EQUALS]") + "g,r,x" +
             function("[]")},
        {"folders", "[TRIMFIRSTFOLDER][FRONTFOLDER]1[][]",
         function("[TRIMFIRSTFOLDER]") + function("[FRONTFOLDER]") + "1" + function("[]") +
             function("[]")},
        {"recent delimiter removed", "/music{_._}[artist]", "/music" + label("Artist")},
        {"removal does not join tokens", "[art{_._}ist][{_._}]", "[artist][]"},
        {"unknown tokens", "[nope][UPPER", "[nope][UPPER"},
        {"empty", "", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DescribeNamingTemplate(row.templ), XStr(row.described)) << row.name;
    }
}

TEST(TemplateNeedsMetadata, OnlyTemplatesThatReadTheSource) {
    struct Row {
        const char* templ;
        bool needs;
    };
    const Row rows[] = {
        {"[origpath]/[origfilename]", false},
        {"[origfilename]", false},
        {"", false},
        {"[artist]", true},
        {"x[ARTIST]x", true},
        {"[Album Artist]", true},
        {"[track_total_unpad]", true},
        {"[disc_total]", true},
        {"[compilation]", true},
        {"[length_hhmmss]", true},
        {"[k_bitrate]", true},
        {"[bytes_per_sample]", true},
        {"[tag]x[]", true},
        {"[tags]x,y[]", true},
        {"[multitag]x[]", true},
        {"[MultiTag]x[]", true},
        {"[ifequals]g,r,x[]", true},
        {"[IfValue]a,b,c[]", true},
        {"[IF!EQUALS]g,r,x[]", true},
        {"[IFCOMP]x[]", true},
        {"[if!comp]x[]", true},
        {"[IFMULTI]x[]", true},
        {"[IF!MULTI]x[]", true},
        {"[IF]a,=,b,c,d[]", false},
        {"[UPPER][origfilename][]", false},
        {"[date] [time] [day_of_week] [now_year]", false},
        {"[encoder] [encoder+] [extension]", false},
        {"[unique] [discunique] [cddb_id] [protected]", false},
        {"[origdrive][subpath]", false},
        {"[GROUP]3,[FRONTFOLDER]2[][]", false},
        {"[artis]", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TemplateNeedsMetadata(row.templ), row.needs) << row.templ;
    }
}

}  // namespace
