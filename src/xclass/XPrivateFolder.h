// The folder of this process for its short-lived files (FFmpeg's progress files, lists of
// files to join): made on first use with mode 0700 under $XDG_RUNTIME_DIR, else $TMPDIR, else
// /tmp ("XTempFolderScope_Location" first when set), and removed with everything in it when
// the program ends. A start removes the folders of processes that are gone.
#pragma once

#include "XStr.h"

namespace XPrivateFolder {

// The folder, ending in "/"; empty when none of the places could hold one. A folder that
// has disappeared is made anew.
XFileName path();
// Removes the folder and its files now; a later path() makes a new one.
void remove();
// Removes the folders that processes now gone left in any of the places; answers how many.
unsigned removeLeftovers();

constexpr const char* kPrefix = "vantaro-";

}  // namespace XPrivateFolder
