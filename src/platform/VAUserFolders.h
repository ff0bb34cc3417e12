// The user's well-known folders as the XDG user-dirs file names them.
#pragma once

#include "XStr.h"

namespace VAUserFolders {

// One key of the user-dirs file ("XDG_DESKTOP_DIR"), else $HOME/fallbackName.
XStr userFolder(const char* key, const char* fallbackName);
// XDG_DOCUMENTS_DIR, else $HOME/Documents.
XStr documentsFolder();
// XDG_VIDEOS_DIR, else $HOME/Videos.
XStr videosFolder();
// The value of one key of $XDG_CONFIG_HOME/user-dirs.dirs (default ~/.config), with
// "$HOME" expanded; empty when the file or the key is missing or the value is not a path.
XStr userDir(const char* key);

}  // namespace VAUserFolders
