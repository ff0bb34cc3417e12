// The catalogue the naming dialog offers, compared row by row as a whole.
#include "VMCFileNamingElement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(VMCFileNamingElement, CatalogueIsTheWholeListInOrder) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"[artist]", "Artist"},
        {"[title]", "Track title"},
        {"[album]", "Album title"},
        {"[album artist]", "Album Artist"},
        {"[genre]", "Music genre"},
        {"[year]", "Year of recording"},
        {"[track]", "Track number"},
        {"[track_total]", "Total tracks on CD"},
        {"[disc]", "Compilation disc number"},
        {"[disc_total]", "Compilation disc total"},
        {"[tag]<element>[]", "Embed user defined tag element"},
        {"/", "Folder separator"},
        {"[unique]", "Unique number (not padded)"},
        {"[length]", "Audio length (in miliseconds)"},
        {"[length_mmss]", "Audio length (mm.ss)"},
        {"[length_hhmmss]", "Audio length (hh.mm.ss)"},
        {"[frequency]", "Samples per second, ie 44100"},
        {"[channels]", "Channels, ie 2"},
        {"[channels_subone]", "Channels minus 1, ie 1"},
        {"[bits_per_sample]", "Bits per sample, ie 16"},
        {"[bytes_per_sample]", "Bytes per sample, ie 2"},
        {"[encoder]", "Audio encoder"},
        {"[encoder+]", "Audio encoder detailed"},
        {"[extension]", "Audio format extension, ie mp3"},
        {"[cddb_id]", "CDDB disc ID"},
        {"[date]", "Current date"},
        {"[time]", "Current time"},
        {"[day_of_week]", "Current day of week"},
        {"[now_year]", "Current year"},
        {"[origpath]", "Original Folder Path  ie Folder1/Folder2"},
        {"[origfilename]", "Original Filename"},
        {"[protected]", "Yes / No if audio is protected"},
        {"[id_tag]", "ID Tag type, ie ID3v2.2 & ID3v1.1"},
        {"[audio_quality]",
         "Audio quality, ie ID Tag type, ie Perfect (Lossless), or Medium (Lossy)"},
        {"[gapless]", "Yes / No if audio is gapless"},
        {"", ""},
        {"Advanced (programmable actions on elements)", ""},
        {"[IFCOMP]string[]", "Includes string if Compiltion CD"},
        {"[IF!COMP]string[]", "Includes string if not a Compiltion CD"},
        {"[IFMULTI]string[]", "Includes string if part of a multi-disc set"},
        {"[IF!MULTI]string[]", "Includes string if not part of a multi-disc set"},
        {"[UPPER]string[]", "Uppercase string"},
        {"[LOWER]string[]", "Lowercase string"},
        {"[RIGHT]count,string[]", "Use last x characters from string"},
        {"[GRAB]from,to,string[]", "Use portion of string"},
        {"[TRIM]string[]", "Trim spaces from beginning and end"},
        {"[DEL]from,to,string[]", "Remove portion of string"},
        {"[SETLEN]count,pre,post,string[]", "Increases or reduces string length"},
        {"[IFEQUALS]tag,equals,string[]", "Includes string if tag matches"},
        {"[IF!EQUALS]tag,equals,string[]", "Includes string if tag does not match"},
        {"[IF]tag,condition,match,stringmatch,stringnomatch[]", "See help"},
        {"[IFVALUE]tag,strifvalue,strnovalue[]",
         "Uses strifvalue if tag has a value, else uses strnovalue"},
        {"[TRIMFIRSTFOLDER]string[]", "Removes First Folder"},
        {"[TRIMLASTFOLDER]string[]", "Removes Last Folder"},
        {"[FRONTFOLDER]pos[]", "Insert Source Folder (1=first, 2=second)"},
        {"[BACKFOLDER]pos[]", "Insert Source Folder (1=last, 2=second last)"},
        {"[MAXLENGTH]maxlength,string[]",
         "If string is over maxlength characters long, it is shortened"},
    };
    std::vector<std::pair<std::string, std::string>> actual;
    std::vector<std::string> labels;
    for (const VMCFileNamingElement& e : VMCFileNamingElement::elements()) {
        actual.emplace_back(e.name().utf8(), e.description().utf8());
        if (e.isLabel()) {
            labels.push_back(e.name().utf8());
        }
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(actual.size(), 57u);
    EXPECT_EQ(labels,
              (std::vector<std::string>{"", "Advanced (programmable actions on elements)"}));
}

TEST(VMCFileNamingElement, RowsAndLabels) {
    const VMCFileNamingElement blank;
    EXPECT_TRUE(blank.isLabel());
    EXPECT_EQ(blank.name(), XStr());
    const VMCFileNamingElement row("[artist]", "Artist");
    EXPECT_FALSE(row.isLabel());
    EXPECT_EQ(row.name(), XStr("[artist]"));
    EXPECT_EQ(row.description(), XStr("Artist"));
}

}  // namespace
