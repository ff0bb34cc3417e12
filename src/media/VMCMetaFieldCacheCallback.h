// Receives the distinct values of the chosen fields in one or more folders.
#pragma once

#include <map>
#include <set>

#include "XStr.h"

// Field name to the set of its values.
using VMCMetaFields = std::map<XStr, std::set<XStr>>;

class VMCMetaFieldCacheCallback {
public:
    virtual ~VMCMetaFieldCacheCallback() = default;
    // Called on the cache's worker thread; callers that touch the view move to the main
    // thread themselves.
    virtual void deliverMetaFieldCacheResults(const VMCMetaFields& results) = 0;
};
