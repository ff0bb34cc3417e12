// Every function of the template language at its boundaries, as whole expanded names.
#include <string>

#include "NamingCase.h"

namespace {

const TagList kFolder = {{"origpath", "/Users/x/Album/"}};

TEST(NamingFunctions, CaseAndTrim) {
    expectNames({
        {"upper", "[UPPER]abc Def[]", {}, "ABC DEF"},
        {"upper keeps commas", "[UPPER]a,b[]", {}, "A,B"},
        {"lower", "[LOWER]\u00C0BC[]", {}, "\u00C0bc"},
        {"lower of a value", "[LOWER][artist][]", {{"artist", "AC,DC"}}, "ac,dc"},
        {"trim", "[TRIM]  a b  []", {}, "a b"},
        {"trim spaces only", "[TRIM]\ta []", {}, "\ta"},
        {"trim empty", "[TRIM][]x", {}, "x"},
    });
}

TEST(NamingFunctions, RightGrabAndDel) {
    expectNames({
        {"right 2", "[RIGHT]2,abcde[]", {}, "de"},
        {"right 0", "[RIGHT]0,abcde[]x", {}, "x"},
        {"right negative", "[RIGHT]-1,abcde[]x", {}, "x"},
        {"right whole", "[RIGHT]5,abcde[]", {}, "abcde"},
        {"right beyond", "[RIGHT]99,abcde[]", {}, "abcde"},
        {"right without string", "[RIGHT]5[]x", {}, "x"},
        {"right rest keeps commas", "[RIGHT]3,a,b,c[]", {}, "b,c"},
        {"right not a number", "[RIGHT]x,abc[]", {}, ""},
        {"grab", "[GRAB]2,3,abcde[]", {}, "bc"},
        {"grab to 0 is the end", "[GRAB]2,0,abcde[]", {}, "bcde"},
        {"grab to negative is the end", "[GRAB]4,-2,abcde[]", {}, "de"},
        {"grab beyond", "[GRAB]4,99,abcde[]", {}, "de"},
        {"grab from beyond", "[GRAB]9,10,abcde[]x", {}, "x"},
        {"grab from 0", "[GRAB]0,2,abcde[]", {}, "ab"},
        {"grab from after to", "[GRAB]3,2,abcde[]x", {}, "x"},
        {"grab spaced numbers", "[GRAB] 2, 2,abc[]", {}, "b"},
        {"del", "[DEL]2,3,abcde[]", {}, "ade"},
        {"del to 0 is the end", "[DEL]2,0,abcde[]", {}, "a"},
        {"del beyond", "[DEL]4,99,abcde[]", {}, "abc"},
        {"del from beyond", "[DEL]9,9,abcde[]", {}, "abcde"},
        {"del from 0", "[DEL]0,1,abcde[]", {}, "bcde"},
        {"del from after to", "[DEL]3,2,abcde[]", {}, "abcde"},
    });
}

TEST(NamingFunctions, SetLength) {
    expectNames({
        {"pad in front", "[SETLEN]4,48,0,7[]", {}, "0007"},
        {"cut", "[SETLEN]2,0,0,abcd[]", {}, "ab"},
        {"pad with spaces", "[SETLEN]4,0,0,ab[]|", {}, "ab  |"},
        {"pad behind", "[SETLEN]4,0,95,ab[]", {}, "ab__"},
        {"pre wins over post", "[SETLEN]3,45,95,a[]", {}, "--a"},
        {"exact length", "[SETLEN]3,48,0,abc[]", {}, "abc"},
        {"count 0", "[SETLEN]0,48,0,7[]x", {}, "x"},
        {"negative count", "[SETLEN]-3,48,0,7[]x", {}, "x"},
        {"rest keeps commas", "[SETLEN]5,0,46,a,b[]", {}, "a,b.."},
        {"empty string", "[SETLEN]2,48,0,[]", {}, "00"},
        {"code that is no character", "[SETLEN]2,-5,0,a[]", {}, "\uFFFDa"},
        {"track number", "[SETLEN]3,48,0,[track_unpad][]", {{"track", "7/9"}}, "007"},
    });
}

TEST(NamingFunctions, TagTests) {
    expectNames({
        {"equals one of several", "[IFEQUALS]genre,rock,yes[]", {{"genre", "Pop\rRock"}}, "yes"},
        {"equals no match", "[IFEQUALS]genre,jazz,yes[]x", {{"genre", "Pop\rRock"}}, "x"},
        {"equals missing element", "[IFEQUALS]genre,,empty[]", {}, "empty"},
        {"equals rest keeps commas", "[IFEQUALS]genre,Pop,a,b[]", {{"genre", "Pop"}}, "a,b"},
        {"equals any case name", "[IFEQUALS]GENRE,pop,y[]", {{"Genre", "POP"}}, "y"},
        {"not equals", "[IF!EQUALS]genre,rock,no rock[]", {{"genre", "Pop"}}, "no rock"},
        {"not equals matched", "[IF!EQUALS]genre,rock,x[]", {{"genre", "Pop\rROCK"}}, ""},
        {"not equals user comma", "[IF!EQUALS]genre,rock,a_COMMA_b[]", {}, "a,b"},
        {"ifvalue", "[IFVALUE]artist,has,none[]", {{"artist", "A"}}, "has"},
        {"ifvalue empty", "[IFVALUE]artist,has,none[]", {{"artist", ""}}, "none"},
        {"ifvalue rest keeps commas", "[IFVALUE]artist,has,no,ne[]", {}, "no,ne"},
        {"ifvalue second line counts", "[IFVALUE]artist,has,none[]", {{"artist", "\rB"}}, "has"},
    });
}

TEST(NamingFunctions, Conditions) {
    const TagList abba = {{"artist", "Abba"}};
    expectNames({
        {"equal any case", "[IF][artist],=,ABBA,same,other[]", abba, "same"},
        {"not equal", "[IF][artist],=,Abb,same,other[]", abba, "other"},
        {"len less", "[IF][artist],len<,5,short,long[]", abba, "short"},
        {"len less false", "[IF][artist],len<,4,short,long[]", abba, "long"},
        {"len equal", "[IF][artist],len=,4,four,other[]", abba, "four"},
        {"len greater", "[IF][artist],len>,4,more,other[]", abba, "other"},
        {"unknown condition", "[IF][artist],LEN=,4,four,other[]", abba, "other"},
        {"user comma in both strings", "[IF]a,=,a,x_COMMA_y,z[]", {}, "x,y"},
        {"user comma in the other string", "[IF]a,=,b,x,z_COMMA_w[]", {}, "z,w"},
        {"rest keeps commas", "[IF]a,=,b,x,y,z[]", {}, "y,z"},
        {"empty text", "[IF][genre],len=,0,none,some[]", {}, "none"},
    });
}

TEST(NamingFunctions, Folders) {
    expectNames({
        {"trim first", "[TRIMFIRSTFOLDER]a/b/c[]", {}, "b/c"},
        {"trim first leading slash", "[TRIMFIRSTFOLDER]/a/b[]", {}, "a/b"},
        {"trim first single", "[TRIMFIRSTFOLDER]a[]x", {}, "x"},
        {"trim first trailing slash", "[TRIMFIRSTFOLDER]a/[]x", {}, "x"},
        {"trim first twice", "[TRIMFIRSTFOLDER][TRIMFIRSTFOLDER][origpath][][]", kFolder,
         "x/Album/"},
        {"trim last", "[TRIMLASTFOLDER]a/b/c[]", {}, "a/b/"},
        {"trim last without slash", "[TRIMLASTFOLDER]abc[]", {}, "abc"},
        {"trim last trailing slash", "[TRIMLASTFOLDER]/a/[]", {}, "/a/"},
        {"front 3", "[FRONTFOLDER]3[]", kFolder, "x"},
        {"front 4", "[FRONTFOLDER]4[]", kFolder, "Album"},
        {"front last item", "[FRONTFOLDER]5[]x", kFolder, "x"},
        {"front beyond", "[FRONTFOLDER]6[]x", kFolder, "x"},
        {"front 0", "[FRONTFOLDER]0[]x", kFolder, "x"},
        {"front negative", "[FRONTFOLDER]-1[]x", kFolder, "x"},
        {"back 4", "[BACKFOLDER]4[]", kFolder, "Users"},
        {"back beyond", "[BACKFOLDER]6[]x", kFolder, "x"},
        {"back 0", "[BACKFOLDER]0[]x", kFolder, "x"},
        {"no source folder", "[FRONTFOLDER]1[]|[FRONTFOLDER]2[]", {}, "|"},
        {"comma in a folder", "[FRONTFOLDER]2[]", {{"origpath", "/a,b/c/"}}, "a,b"},
        {"relative folder", "[FRONTFOLDER]1[]", {{"origpath", "music/x/"}}, "music"},
    });
}

TEST(NamingFunctions, MaxLengthAndReplace) {
    expectNames({
        {"max length cuts", "[MAXLENGTH]3,abcdef[]", {}, "abc"},
        {"max length shorter", "[MAXLENGTH]9,abc[]", {}, "abc"},
        {"max length 0", "[MAXLENGTH]0,abc[]x", {}, "x"},
        {"max length counts characters, not escapes",
         "[MAXLENGTH]3,[artist][]",
         {{"artist", "a,b,c"}},
         "a,b"},
        {"max length keeps the result escaped",
         "[SPLIT]+,[MAXLENGTH]4,[artist][],1[]",
         {{"artist", "a,b+c"}},
         "a,b"},
        {"replace", "[REPLACE]a,o,Banana[]", {}, "Bonono"},
        {"replace any case", "[REPLACE]B,c,bob[]", {}, "coc"},
        {"replace to nothing", "[REPLACE] ,,a b c[]", {}, "abc"},
        {"replace empty search", "[REPLACE],x,abc[]", {}, "abc"},
        {"replace a comma from a value",
         "[REPLACE][genre],;,[artist][]",
         {{"genre", ","}, {"artist", "a,b"}},
         "a;b"},
        {"replace result counted in characters",
         "[SETLEN]3,0,0,[REPLACE]x,y,[title][][]",
         {{"title", "a,b,c"}},
         "a,b"},
        {"replace bracket", "[REPLACE]l,L,[title][]", {{"title", "[live]"}}, "[Live]"},
        {"replace does not rescan", "[REPLACE]a,aa,aaa[]", {}, "aaaaaa"},
    });
}

TEST(NamingFunctions, Words) {
    expectNames({
        {"two words", "[WORD]one two three,2[]", {}, "one two"},
        {"fewer words", "[WORD]one two,5[]", {}, "one two"},
        {"run of spaces", "[WORD]one   two three,2[]", {}, "one   two"},
        {"final semicolon", "[WORD]one; two,1[]", {}, "one"},
        {"final comma", "[WORD][title],1[]", {{"title", "Hello, World"}}, "Hello"},
        {"semicolon then comma", "[WORD][title],1[]", {{"title", "Hi,; you"}}, "Hi"},
        {"leading space", "[WORD] one two,1[]x", {}, "x"},
        {"count 0", "[WORD]one two,0[]", {}, "one two"},
        {"no count", "[WORD]one two[]", {}, "one two"},
    });
}

TEST(NamingFunctions, Groups) {
    expectNames({
        {"one letter", "[GROUP]1,Madonna[]", {}, "m"},
        {"count 0 is 1", "[GROUP]0,Madonna[]", {}, "m"},
        {"pairs", "[GROUP]2,Zappa[]", {}, "y-z"},
        {"fives at the end", "[GROUP]5,Zappa[]", {}, "z-z"},
        {"fives", "[GROUP]5,Genesis[]", {}, "f-j"},
        {"wider than the alphabet", "[GROUP]30,Queen[]", {}, "a-z"},
        {"upper case", "[GROUP]3,B[]", {}, "a-c"},
        {"leading spaces", "[GROUP]3,   cure[]", {}, "a-c"},
        {"digit", "[GROUP]3,2Pac[]", {}, "0-9"},
        {"other character", "[GROUP]3,!!![]", {}, "@"},
        {"letter outside ASCII", "[GROUP]3,\u00C9dith[]", {}, "@"},
        {"comma first", "[GROUP]3,[artist][]", {{"artist", ",x"}}, "@"},
        {"empty", "[GROUP]3,[]x", {}, "x"},
        {"spaces only", "[GROUP]3,  []x", {}, "x"},
    });
}

TEST(NamingFunctions, Split) {
    expectNames({
        {"first", "[SPLIT]-,a-b-c,1[]", {}, "a"},
        {"index 0 is the first", "[SPLIT]-,a-b-c,0[]", {}, "a"},
        {"last", "[SPLIT]-,a-b-c,3[]", {}, "c"},
        {"beyond", "[SPLIT]-,a-b-c,4[]x", {}, "x"},
        {"negative", "[SPLIT]-,a-b-c,-1[]x", {}, "x"},
        {"empty part kept", "[SPLIT]-,a--c,3[]", {}, "c"},
        {"empty last part", "[SPLIT]-,a-b-,3[]x", {}, "x"},
        {"longer separator", "[SPLIT]::,a::b,2[]", {}, "b"},
        {"escaped comma as separator", "[SPLIT]<comma_>,[artist],2[]", {{"artist", "A, B"}}, " B"},
        {"bracket restored", "[SPLIT]/,[title],1[]", {{"title", "[x]-y"}}, "[x]-y"},
        {"no separator found", "[SPLIT]+,abc,1[]", {}, "abc"},
        {"empty separator", "[SPLIT],abc,1[]", {}, "abc"},
    });
}

// Commas and brackets of values are held escaped inside the expander; a function counts,
// cuts, pads and compares the characters they stand for, so no fragment of an escape
// ever reaches a name.
TEST(NamingFunctions, EscapesInsideArguments) {
    const TagList live = {{"title", "[Live], Pt 2"}, {"genre", "Rock, Pop"}};
    expectNames({
        {"right", "[RIGHT]7,[title][]", live, "], Pt 2"},
        {"right at the comma", "[RIGHT]5,[genre][]", live, ", Pop"},
        {"grab", "[GRAB]1,7,[title][]", live, "[Live],"},
        {"grab the bracket", "[GRAB]1,1,[title][]", live, "["},
        {"del", "[DEL]1,8,[title][]", live, "Pt 2"},
        {"setlen cuts", "[SETLEN]6,0,0,[title][]", live, "[Live]"},
        {"setlen exact", "[SETLEN]9,46,0,[genre][]", live, "Rock, Pop"},
        {"setlen pads to the count", "[SETLEN]11,46,0,[genre][]", live, "..Rock, Pop"},
        {"max length", "[MAXLENGTH]5,[genre][]", live, "Rock,"},
        {"if length", "[IF][genre],len=,9,nine,other[]", live, "nine"},
        {"if equal", "[IF][genre],=,ROCK<comma_> POP,same,other[]", live, "same"},
        {"ifequals with a bracket", "[IFEQUALS]title,<brackets_>live]<comma_> pt 2,yes[]", live,
         "yes"},
        {"ifequals on the characters", "[IFEQUALS]genre,Rock<comma_> Pop,yes,no[]", live, "yes,no"},
        {"replace a bracket", "[REPLACE]<brackets_>,(,[title][]", live, "(Live], Pt 2"},
        {"split at a bracket", "[SPLIT]<brackets_>,[title],2[]", live, "Live], Pt 2"},
        {"trim first folder", "[TRIMFIRSTFOLDER][title]/x[]", live, "x"},
        {"upper", "[UPPER][title][]", live, "[LIVE], PT 2"},
        {"word", "[WORD][title],1[]", live, "[Live]"},
        {"group", "[GROUP]2,[title][]", live, "@"},
        {"front folder", "[RIGHT]4,[FRONTFOLDER]2[][]", {{"origpath", "/a,b[c/"}}, ",b[c"},
    });
}

// What a function gives back is text: its commas and brackets never split the arguments
// of a function around it and never open a token, whatever the template or the values.
TEST(NamingFunctions, ResultsAreNeverSyntax) {
    expectNames({
        {"split value stays one argument",
         "<[GRAB][SPLIT]+,[title],1[],abcdef[]>",
         {{"title", "2,3+z"}},
         "<>"},
        {"split value is no function",
         "[SPLIT]+,[title],1[]",
         {{"title", "[UPPER]x[]+y"}},
         "[UPPER]x[]"},
        {"split value is no function when nested",
         "[LOWER][SPLIT]+,[title],1[][]",
         {{"title", "[UPPER]X[]+y"}},
         "[upper]x[]"},
        {"user comma of an if stays one argument",
         "<[GRAB][IF]a,=,a,2_COMMA_3,x[],abcdef[]>",
         {},
         "<>"},
        {"user comma of an if at the top", "[IF]a,=,a,2_COMMA_3,x[]", {}, "2,3"},
        {"user comma of ifequals", "<[GRAB][IFEQUALS]g,,2_COMMA_3[],abcdef[]>", {}, "<>"},
        {"padding with commas", "[SPLIT]-,[SETLEN]3,44,0,-a[],1[]", {}, ","},
        {"padding with brackets", "[SETLEN]3,91,0,[]", {}, "[[["},
        {"padding opens no token", "[SETLEN]1,91,0,[]UPPER]x[]", {}, "[UPPER]x[]"},
        {"bracket of a template argument", "[LOWER][[]UPPER]x[]", {}, "[UPPER]x[]"},
    });
}

TEST(NamingFunctions, NestingAndEscapes) {
    expectNames({
        {"three deep", "[UPPER][RIGHT]3,[LOWER]ABCDEF[][][]", {}, "DEF"},
        {"last opened runs first", "[UPPER]a[LOWER]B[]c[]", {}, "ABC"},
        {"opened after another closed", "[UPPER]a[]b[LOWER]C[]", {}, "Abc"},
        {"last opened takes the only closing pair", "[UPPER]a[LOWER]B[]", {}, "[UPPER]ab"},
        {"rightmost whatever the table order", "[SPLIT]-,[UPPER]a-b[],2[]", {}, "B"},
        {"three deep with values",
         "[GROUP]2,[TRIM][GRAB]2,0,[artist][][][]",
         {{"artist", "x  Beck"}},
         "a-b"},
        {"side by side", "[UPPER]a[][LOWER]B[]", {}, "Ab"},
        {"inner result is not split", "[RIGHT]2,[GRAB]1,3,abcdef[][]", {}, "bc"},
        {"user comma only where named", "[UPPER]a_COMMA_b[]", {}, "A_COMMA_B"},
        {"user comma in a nested if", "[UPPER][IF]x,=,x,a_COMMA_b,c[][]", {}, "A,B"},
        {"function tokens any case", "[Upper]a[][lOwEr]B[][group]3,b[]", {}, "Aba-c"},
        {"closing pair alone", "[]", {}, "[]"},
    });
}

}  // namespace
