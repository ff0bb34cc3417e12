// The check boxes of the batch converter's folder tree and file lists, drawn for the
// palette they are shown in (light or dark): unchecked, checked (a file), a folder with all
// its subfolders, a folder alone, a folder with selected subfolders, and a folder with some
// files ticked one by one. Each image is named as folderStateImageHelper names it.
#pragma once

#include <QIcon>
#include <QPalette>

#include "XStr.h"

namespace VMCCheckBoxImages {

// The image of that name at the given size in logical pixels; an unknown name draws an
// empty box.
QIcon image(const XStr& name, const QPalette& palette, int size);
QIcon forFolderState(int state, const QPalette& palette, int size);
QIcon forFile(bool checked, const QPalette& palette, int size);

}  // namespace VMCCheckBoxImages
