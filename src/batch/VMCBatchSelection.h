// Selections made from locations rather than clicks (the command line, a preselection): the
// selection dictionary that ticks folders and single files, and the folders a saved
// selection must be rooted at so that every selected folder and file is reached.
#pragma once

#include <memory>
#include <vector>

#include "XPropertyDictionary.h"
#include "clFolderListEntry.h"

namespace VMCBatchSelection {

// Adds folders (Recursive or NonRecursive) and single files (Checked, with their folder
// IndivSelected unless it is selected already) to a selection.
void addLocations(XPropertyDictionary& selection, const XStrList& folders, bool recursive,
                  const XStrList& files);
// The selected folders that no other selected folder reaches: a selected folder builds its
// subfolders when it is collected, and they take their states from the selection, so a
// folder whose parent is selected is reached; one below a Recursive folder is covered.
XStrList rootsOf(const XPropertyDictionary& selection);
// One root per folder of rootsOf, sharing the globals, with the selection applied (and
// given to the globals for the folders made later).
std::vector<clFolderListEntry::Ptr> makeRoots(const XPropertyDictionary& selection,
                                              const std::shared_ptr<folderListGlobals>& globals);

}  // namespace VMCBatchSelection
