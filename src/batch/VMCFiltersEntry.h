// One row of the filter dialog: the value as a filter stores it, the text shown, and
// whether files with that value are included.
#pragma once

#include "XStr.h"

struct VMCFiltersEntry {
    XStr key;
    XStr name;
    bool checked = true;
};
