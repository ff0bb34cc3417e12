// The current version of an application as the maker's server lists it, both texts as sent.
#pragma once

#include "XStr.h"

struct VAVersionInfo {
    XStr URL;      // the download page
    XStr Version;  // the current version

    friend bool operator==(const VAVersionInfo&, const VAVersionInfo&) = default;
};
