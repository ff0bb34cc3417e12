// The per-process parsed copy of the store that immediate reads are served from. One
// process-wide mutex guards it; it is read again when the store file's stamp changes or
// after a write by this process.
#pragma once

#include <functional>

#include "XJSON.h"

class XRegistryCache {
public:
    // Runs visit on the current document with the mutex held.
    static void Visit(const std::function<void(const XJSON::Object&)>& visit);
    static void Discard();
};
