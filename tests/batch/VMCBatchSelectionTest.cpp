// Selections made from locations, and the roots a selection needs.
#include "VMCBatchSelection.h"

#include <gtest/gtest.h>

namespace {

XPropertyDictionary selectionOf(std::vector<std::pair<const char*, const char*>> entries) {
    XPropertyDictionary d;
    for (const auto& [path, value] : entries) {
        d.set(path, XStr(value));
    }
    return d;
}

TEST(VMCBatchSelection, RootsAreTheSelectedFoldersNoOtherReaches) {
    struct Case {
        const char* what;
        XPropertyDictionary selection;
        XStrList roots;
    };
    const std::vector<Case> cases = {
        {"one folder", selectionOf({{"/m/a", "NonRecursive"}}), {"/m/a"}},
        {"a saved branch",
         selectionOf({{"/home/u", "SubSelected"}, {"/home/u/films", "Recursive"}}),
         {"/home/u"}},
        {"below a Recursive folder",
         selectionOf(
             {{"/m", "Recursive"}, {"/m/a/b", "IndivSelected"}, {"/m/a/b/c.mp4", "Checked"}}),
         {"/m"}},
        {"a subfolder of a selected folder",
         selectionOf({{"/m/a", "NonRecursive"}, {"/m/a/b", "IndivSelected"}}),
         {"/m/a"}},
        {"a folder whose parent is not selected",
         selectionOf({{"/m/a", "NonRecursive"}, {"/m/a/b/c", "Recursive"}}),
         {"/m/a", "/m/a/b/c"}},
        {"files are no roots", selectionOf({{"/m/a.mp4", "Checked"}}), {}},
        {"damaged values are no roots", selectionOf({{"/m/a", "All"}}), {}},
        {"the whole disk", selectionOf({{"/", "Recursive"}, {"/m", "NonRecursive"}}), {"/"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VMCBatchSelection::rootsOf(c.selection), c.roots) << c.what;
    }
}

TEST(VMCBatchSelection, LocationsTickFoldersAndSingleFiles) {
    XPropertyDictionary d;
    VMCBatchSelection::addLocations(d, {"/m/a/", "/m/b"}, false, {"/m/c/x.mp4", "/m/a/y.mp4"});
    EXPECT_EQ(d.find("/m/a")->stringValue(), "NonRecursive");
    EXPECT_EQ(d.find("/m/b")->stringValue(), "NonRecursive");
    EXPECT_EQ(d.find("/m/c")->stringValue(), "IndivSelected");
    EXPECT_EQ(d.find("/m/c/x.mp4")->stringValue(), "Checked");
    EXPECT_EQ(d.find("/m/a/y.mp4")->stringValue(), "Checked");
    VMCBatchSelection::addLocations(d, {"/m/b"}, true, {});
    EXPECT_EQ(d.find("/m/b")->stringValue(), "Recursive");
    VMCBatchSelection::addLocations(d, {"/m/b"}, false, {});
    EXPECT_EQ(d.find("/m/b")->stringValue(), "Recursive") << "Recursive wins";
}

}  // namespace
