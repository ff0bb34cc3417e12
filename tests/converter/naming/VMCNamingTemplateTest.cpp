// Whole expanded names of the template language: element tokens, the tag constructs, the
// older forms and the documented examples.
#include <string>
#include <utility>
#include <vector>

#include "NamingCase.h"
#include "VMCNamingText.h"

namespace {

const TagList kAlbum = {{"artist", "Beatles"},
                        {"album", "Help!"},
                        {"track", "3/14"},
                        {"title", "Yesterday"},
                        {"origpath", "/Users/x/Album/"},
                        {"origfilename", "song"}};

TEST(ExpandNamingTemplate, DocumentedExamples) {
    expectNames({
        {"slash in a value",
         "[artist] - [title]",
         {{"artist", "AC/DC"}, {"title", "Thunder"}},
         "AC-DC - Thunder"},
        {"comma kept", "[artist]", {{"artist", "Crosby, Stills & Nash"}}, "Crosby, Stills & Nash"},
        {"comma never splits", "[SPLIT] ,[artist],2[]", {{"artist", "Crosby, Stills"}}, "Stills"},
        {"token case", "[ARTIST]", {{"artist", "Abba"}}, "Abba"},
        {"function case", "[upper]x[]", {}, "X"},
        {"track", "[track]", {{"track", "3/12"}}, "03"},
        {"track total", "[track_total]", {{"track", "3/12"}}, "12"},
        {"track unpadded", "[track_unpad]", {{"track", "03/12"}}, "3"},
        {"hyphen separator", "[track]|[track_total]", {{"track", "7-10"}}, "07|10"},
        {"nested", "[UPPER][GRAB]1,1,[artist][][]", {{"artist", "beatles"}}, "B"},
        {"long", "[IF][artist],len>,3,long,short[]", {{"artist", "Abba"}}, "long"},
        {"short", "[IF][artist],len>,3,long,short[]", {{"artist", "Yes"}}, "short"},
        {"equals", "[IFEQUALS]genre,rock,R_COMMA_ock[]", {{"genre", "Rock"}}, "R,ock"},
        {"split", "[SPLIT] - ,[title],2[]", {{"title", "Intro - Outro"}}, "Outro"},
        {"tags", "[tags]artist,_COMMA_ []", {{"artist", "A\rB"}}, "A, B"},
        {"setlen pad", "[SETLEN]4,48,0,7[]", {}, "0007"},
        {"setlen cut", "[SETLEN]2,0,0,abcd[]", {}, "ab"},
        {"front 2", "[FRONTFOLDER]2[]", kAlbum, "Users"},
        {"back 2", "[BACKFOLDER]2[]", kAlbum, "Album"},
        {"front 1", "[FRONTFOLDER]1[]", kAlbum, ""},
        {"back 1", "[BACKFOLDER]1[]", kAlbum, ""},
        {"group b", "[GROUP]3,[artist][]", {{"artist", "Beatles"}}, "a-c"},
        {"group z", "[GROUP]3,[artist][]", {{"artist", "ZZ Top"}}, "y-z"},
        {"group digit", "[GROUP]3,[artist][]", {{"artist", "10cc"}}, "0-9"},
        {"backslash template", "[artist]\\[album]\\[track] - [title]", kAlbum,
         "Beatles\\Help!\\03 - Yesterday"},
        {"trim first folder", "[TRIMFIRSTFOLDER][origpath][]\\[origfilename]", kAlbum,
         "Users/x/Album/\\song"},
        {"default template", "[artist]/[artist] - [title]", kAlbum, "Beatles/Beatles - Yesterday"},
        {"source folder",
         "[origpath]/[origfilename]",
         {{"origpath", "/a/b:c/"}, {"origfilename", "song"}},
         "/a/b:c//song"},
        {"file name only", "[origfilename]", kAlbum, "song"},
        {"title slash", "[title]", {{"title", "/"}}, "-"},
        // Colons, leading dots and length are left to the path clean-up that follows.
        {"title colon", "[title]", {{"title", "a:b"}}, "a:b"},
        {"title leading dot", "[title]", {{"title", ". .x"}}, ". .x"},
        {"date fields",
         "[now_year]/[date] [time] [day_of_week]",
         {{"date", "2024-03-09"}, {"time", "07:05:00"}, {"day_of_week", "0"}, {"now_year", "2024"}},
         "2024/2024-03-09 07:05:00 0"},
        {"encoder fields",
         "[encoder] ([encoder+]) [k_bitrate]",
         {{"encoder", "H.264"}, {"encoder+", "H.264 crf 23"}, {"k_bitrate", "2000"}},
         "H.264 (H.264 crf 23) 2000"},
        {"grouped tree", "[GROUP]3,[artist][]/[artist]/[album]/[track] - [UPPER][title][]", kAlbum,
         "a-c/Beatles/Help!/03 - YESTERDAY"},
    });
}

TEST(ExpandNamingTemplate, MissingClosingPairStopsTheFunctions) {
    expectNames({
        {"last opened unclosed", "[UPPER]ab[] [LOWER]CD", {}, "[UPPER]ab[] [LOWER]CD"},
        {"inner done first", "[LOWER]AB [UPPER]cd[]", {}, "[LOWER]AB CD"},
        {"values kept",
         "[LOWER][artist] [UPPER][title][]",
         {{"artist", "A,B"}, {"title", "t"}},
         "[LOWER]A,B T"},
        {"closing only", "x[]y", {}, "x[]y"},
    });
}

// Texts stay far beyond any name but bounded: a tag value is read up to a length, padding,
// replacing and joined values grow up to it, and the text under expansion is cut at a
// larger bound, never inside an escape form.
TEST(ExpandNamingTemplate, TextLengthIsBounded) {
    const std::size_t value = VMCNamingText::kMaxValueLength;
    const std::size_t text = VMCNamingText::kMaxTextLength;
    std::string manyValues;
    for (std::size_t i = 0; i < value; ++i) {
        manyValues += "v\r";
    }
    const auto repeated = [](const std::string& piece, std::size_t times) {
        std::string out;
        for (std::size_t i = 0; i < times; ++i) {
            out += piece;
        }
        return out;
    };
    // Values "v" joined by an escaped comma: whole values and commas up to the bound.
    std::string commaList;
    for (std::size_t used = 1; used <= value; used += 9) {
        commaList += commaList.empty() ? "v" : ",v";
    }
    struct Row {
        const char* name;
        std::string templ;
        std::vector<std::pair<std::string, std::string>> tags;
        std::string expected;
    };
    const Row rows[] = {
        {"padding", "[SETLEN]999999999999,48,0,7[]", {}, std::string(value - 1, '0') + "7"},
        {"padding then cut", "[RIGHT]3,[SETLEN]99999999,48,0,7[][]", {}, "007"},
        {"long value",
         "[title]",
         {{"title", std::string(value + 10, 'a')}},
         std::string(value, 'a')},
        {"long value read up to the bound",
         "[RIGHT]3,[title][]",
         {{"title", std::string(value, 'a') + "xyz"}},
         "aaa"},
        {"values push the closing pair out",
         "[UPPER]" + repeated("[title]", 16) + "[]",
         {{"title", std::string(value, 'a')}},
         "[UPPER]" + std::string(text - 7, 'a')},
        {"commas never cut apart",
         "x[title][title][title]",
         {{"title", std::string(value, ',')}},
         "x" + std::string((text - 1) / 8, ',')},
        {"brackets never cut apart",
         "[title][title]",
         {{"title", std::string(value, '[')}},
         std::string(text / 11, '[')},
        {"joined values",
         "[tags]artist,[title][]",
         {{"artist", manyValues}, {"title", std::string(99, '-')}},
         repeated("v" + std::string(99, '-'), value).substr(0, value)},
        {"joined by escaped commas", "[tags]artist,_COMMA_[]", {{"artist", manyValues}}, commaList},
        {"many values",
         "[multitag]artist[]",
         {{"artist", manyValues}},
         repeated("v; ", value).substr(0, value)},
        {"replacements",
         "[REPLACE]a,aaaaaaaa,[REPLACE]a,aaaaaaaa,[title][][]",
         {{"title", std::string(2000, 'a')}},
         std::string(value, 'a')},
        {"long template", std::string(text + 5, 'x'), {}, std::string(text, 'x')},
    };
    for (const Row& row : rows) {
        NTag tags;
        for (const auto& [name, v] : row.tags) {
            tags.AddElement(XStr(name), XStr(v));
        }
        EXPECT_EQ(ExpandNamingTemplate(XStr(row.templ), tags, true), XStr(row.expected))
            << row.name;
    }
}

TEST(ExpandNamingTemplate, ElementValuesAndPathMode) {
    expectNames({
        {"path mode off", "[artist]", {{"artist", "AC/DC"}}, "AC/DC", false},
        {"backslash", "[artist]", {{"artist", "A\\B/C"}}, "A-B-C"},
        {"backslash kept without path mode", "[artist]", {{"artist", "A\\B"}}, "A\\B", false},
        {"source path kept",
         "[origpath]|[origfilename]|[origdrive]|[subpath]",
         {{"OrigPath", "/a\\b/"},
          {"origfilename", "x/y"},
          {"ORIGDRIVE", "C:\\"},
          {"subpath", "p/q"}},
         "/a\\b/|x/y|C:\\|p/q"},
        {"bracket in a value", "[title]", {{"title", "[Live]"}}, "[Live]"},
        {"value is no function", "[title]", {{"title", "[UPPER]x[]"}}, "[UPPER]x[]"},
        {"value is no token", "[title]", {{"title", "[artist]"}, {"artist", "A"}}, "[artist]"},
        {"first of several values", "[artist]", {{"artist", "A\rB"}}, "A"},
        {"first element wins", "[artist]", {{"artist", "First"}, {"ARTIST", "Second"}}, "First"},
        {"missing element", "[genre]x", {}, "x"},
        {"every occurrence", "[artist]/[Artist]/[ARTIST]", {{"artist", "A"}}, "A/A/A"},
        {"unknown token", "[nope]-[artist", {{"artist", "A"}}, "[nope]-[artist"},
        {"length any case",
         "[length]|[channels]",
         {{"Length", "61000"}, {"Channels", "2"}},
         "61000|2"},
        {"escape forms written by the user", "a<comma_>b<BRACKETS_>c", {}, "a,b[c"},
        {"user comma outside functions", "a_COMMA_b", {}, "a_COMMA_b"},
        {"escapes survive upper case", "[UPPER][artist][]", {{"artist", "a,b[c"}}, "A,B[C"},
        {"non-ASCII letters keep their case",
         "[UPPER][artist][]",
         {{"artist", "straße é"}},
         "STRAßE é"},
    });
}

// Each token reads the element of its own name, looked up without regard to case.
TEST(ExpandNamingTemplate, EveryPlainTokenReadsItsElement) {
    const char* const names[] = {
        "artist",
        "album",
        "album artist",
        "composer",
        "conductor",
        "title",
        "genre",
        "year",
        "band",
        "rating",
        "tempo",
        "label",
        "isrc",
        "upc",
        "mood",
        "style",
        "copyright",
        "subtitle",
        "unique",
        "discunique",
        "length",
        "length_mmss",
        "length_hhmmss",
        "encoder",
        "encoder+",
        "extension",
        "cddb_id",
        "origdrive",
        "origpath",
        "subpath",
        "origfilename",
        "protected",
        "id_tag",
        "audio_quality",
        "gapless",
        "date",
        "time",
        "day_of_week",
        "now_year",
        "frequency",
        "channels",
        "channels_subone",
        "bits_per_sample",
        "bytes_per_sample",
        "bitrate",
        "k_bitrate",
    };
    for (const char* name : names) {
        const std::string token = "[" + std::string(name) + "]";
        NTag tags;
        tags.AddElement("unrelated", "u");
        tags.AddElement(XStr(name).upperASCII(), "v,1");
        EXPECT_EQ(ExpandNamingTemplate(XStr("<" + token + ">"), tags, true), XStr("<v,1>"))
            << token;
    }
}

TEST(ExpandNamingTemplate, TrackAndDiscSplitting) {
    const char* const all =
        "[track]|[track_unpad]|[track_total]|[track_total_unpad]|[disc]|[disc_total]";
    expectNames({
        {"slash", all, {{"track", "3/12"}, {"disc", "1/2"}}, "03|3|12|12|1|2"},
        {"slash without path mode",
         all,
         {{"track", "3/12"}, {"disc", "1/2"}},
         "03|3|12|12|1|2",
         false},
        {"padded input", all, {{"track", "03/09"}}, "03|3|09|9||"},
        {"hyphen", all, {{"track", "7-10"}, {"disc", "2-3"}}, "07|7|10|10|2|3"},
        {"spaces trimmed", all, {{"track", " 3 / 9 "}, {"disc", " 1 "}}, "03|3|09|9|1|"},
        {"three digits", all, {{"track", "007/100"}}, "007|07|100|100||"},
        {"zero", all, {{"track", "0/0"}}, "00||00|||"},
        {"no separator", all, {{"track", "12"}, {"disc", "1 of 2"}}, "12|12|||1 of 2|"},
        {"empty", all, {{"track", ""}}, "|||||"},
        {"slash before hyphen", all, {{"track", "1/2-3"}}, "01|1|2-3|2-3||"},
        {"leading hyphen", all, {{"track", "-5"}}, "||05|5||"},
        {"first value only", all, {{"track", "3/12\r4/12"}}, "03|3|12|12||"},
    });
}

TEST(ExpandNamingTemplate, CompilationFlag) {
    const char* const t = "[compilation]|[IFCOMP]c[]|[IF!COMP]n[]";
    expectNames({
        {"yes", t, {{"compilation", "yes"}}, "1|c|"},
        {"YES", t, {{"Compilation", "YES"}}, "1|c|"},
        {"one", t, {{"compilation", "1"}}, "1|c|"},
        {"two", t, {{"compilation", "2"}}, "1|c|"},
        {"spaced number", t, {{"compilation", " 3"}}, "1|c|"},
        {"negative", t, {{"compilation", "-1"}}, "1|c|"},
        {"no", t, {{"compilation", "no"}}, "no||n"},
        {"NO", t, {{"compilation", "NO"}}, "NO||n"},
        {"false", t, {{"compilation", "fAlse"}}, "fAlse||n"},
        {"zero", t, {{"compilation", "0"}}, "0||n"},
        {"empty", t, {{"compilation", ""}}, "||n"},
        {"absent", t, {}, "||n"},
        {"other word", t, {{"compilation", "maybe"}}, "maybe|c|"},
        {"yes and more", t, {{"compilation", "yes please"}}, "yes please|c|"},
    });
}

TEST(ExpandNamingTemplate, MultiDiscSets) {
    const char* const t = "[IFMULTI]m[][IF!MULTI]s[]";
    expectNames({
        {"one of two", t, {{"disc", "1/2"}}, "m"},
        {"one of one", t, {{"disc", "1/1"}}, "s"},
        {"no total", t, {{"disc", "2"}}, "s"},
        {"absent", t, {}, "s"},
        {"hyphen", t, {{"disc", "1-3"}}, "m"},
        {"spaced total", t, {{"disc", "1/ 10"}}, "m"},
        {"total not a number", t, {{"disc", "1/x"}}, "s"},
        {"zero total", t, {{"disc", "1/0"}}, "s"},
    });
}

TEST(ExpandNamingTemplate, OlderFormsOfTheTagTests) {
    expectNames({
        {"ifvalue tag form", "[IFVALUE][tag]artist[],a,b[]", {{"artist", "X"}}, "a"},
        {"ifvalue tag form empty", "[IFVALUE][tag]artist[],a,b[]", {}, "b"},
        {"ifvalue lower case", "[ifvalue][TAG]artist[],a,b[]", {{"artist", "X"}}, "a"},
        {"ifequals token form", "[IFEQUALS][genre],Rock,x[]", {{"genre", "rock"}}, "x"},
        {"ifequals token form no match", "[IFEQUALS][genre],Rock,x[]", {{"genre", "Pop"}}, ""},
        {"ifequals tag form", "[IFEQUALS][tag]genre[],Rock,yes[]", {{"genre", "Rock"}}, "yes"},
        {"if!equals token form", "[IF!EQUALS][genre],Rock,x[]", {{"genre", "Pop"}}, "x"},
        {"ifvalue token form", "[IFVALUE][artist],has,none[]", {{"artist", "A"}}, "has"},
        {"new form", "[IFVALUE]artist,has,none[]", {}, "none"},
        {"each occurrence",
         "[IFVALUE][artist],a,b[]-[IFVALUE][title],c,d[]",
         {{"artist", "A"}},
         "a-d"},
        {"tag form without closing pair",
         "[IFVALUE][tag]artist",
         {{"artist", "A"}},
         "[IFVALUE]tagartist"},
    });
}

TEST(ExpandNamingTemplate, TagConstructs) {
    expectNames({
        {"tag", "[tag]mood[]", {{"mood", "Calm\rHappy"}}, "Calm"},
        {"tag any case", "[TAG]Mood[]", {{"MOOD", "Calm"}}, "Calm"},
        {"tag missing", "[tag]missing[]x", {}, "x"},
        {"tag without closing pair", "[tag]mood", {{"mood", "Calm"}}, "[tag]mood"},
        {"tag path mode", "[tag]artist[]", {{"artist", "AC/DC"}}, "AC-DC"},
        {"tag name runs to the first pair", "[tag][tag]x[]y[]", {}, "y[]"},
        {"multitag", "[multitag]artist[]", {{"artist", "A\rB\rC"}}, "A; B; C"},
        {"multitag single", "[multitag]artist[]", {{"artist", "A"}}, "A"},
        {"tags", "[tags]artist, & []", {{"artist", "A\rB"}}, "A & B"},
        {"tags user comma", "[tags]artist,_COMMA_ []", {{"artist", "A\rB\rC"}}, "A, B, C"},
        {"tags one part", "[tags]artist[]x", {{"artist", "A"}}, "x"},
        {"tags three parts", "[tags]artist,a,b[]x", {{"artist", "A"}}, "x"},
        {"tags values stay escaped", "[SPLIT]+,[tags]artist,+[],2[]", {{"artist", "A,1\rB"}}, "B"},
        {"all three", "[tag]a[]|[multitag]a[]|[tags]a,/[]", {{"a", "1\r2"}}, "1|1; 2|1/2"},
    });
}

// Substituting a value can spell a new token with the text around it; the result is the
// one that searching the template again from the start after every substitution gives.
TEST(ExpandNamingTemplate, TokensSpelledBySubstitution) {
    expectNames({
        {"later token spelled", "[[artist]title]", {{"title", "T"}}, "T"},
        {"value in between", "[[artist]title]", {{"artist", "x"}, {"title", "T"}}, "[xtitle]"},
        {"earlier token stays", "[[title]artist]", {{"artist", "A"}}, "[artist]"},
        {"same token again", "[[title]title]", {}, ""},
        {"same token, value closes it", "[[title]", {{"title", "title]"}}, "title]"},
        {"function spelled by a function", "[UP[LOWER]PER][]x[]", {}, "X"},
        {"tag spelled", "[[artist]tag]mood[]", {{"mood", "M"}}, "M"},
    });
}

}  // namespace
