// Which check-box image a folder or file row shows, by name; the view loads each image once
// and keys it by that name.
#pragma once

#include "XStr.h"

class folderStateImageHelper {
public:
    static constexpr const char* mImgSelRecursive = "check-recursive";
    static constexpr const char* mImgSelNonRecur = "check-folder";
    static constexpr const char* mImgSubSelected = "check-subfolders";
    static constexpr const char* mImgIndiv = "check-some-files";
    static constexpr const char* mImgUnchecked = "check-off";
    static constexpr const char* mImgChecked = "check-on";

    // The image of a folder's check state (0 to 4); unknown states show unchecked.
    static XStr checkBoxImageForState(int state);
    // The image of a file's check box.
    static XStr checkBoxImageForFile(bool checked) { return checked ? mImgChecked : mImgUnchecked; }
};
