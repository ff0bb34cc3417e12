#include "folderStateImageHelper.h"

XStr folderStateImageHelper::checkBoxImageForState(int state) {
    switch (state) {
        case 0:
            return mImgSelRecursive;
        case 1:
            return mImgSelNonRecur;
        case 2:
            return mImgSubSelected;
        case 3:
            return mImgIndiv;
        default:
            break;
    }
    return mImgUnchecked;
}
