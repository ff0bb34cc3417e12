// A few process-wide settings and the fixed lists that tag editors and naming offer.
#pragma once

#include <cstdint>

#include "XStr.h"

class VAGlobalOptions {
public:
    static constexpr const char* kValueNoInternet = "NoInternetForVA";
    static constexpr const char* kGenresFile = "genres.txt";

    // The name keeps its historical spelling; true unless the store forbids the network.
    static bool allowInterentAccess();
    // The tag fields every tag editor offers, in the order they are offered.
    static const XStrList& standardMetaFields();
    // The built-in genre names, sorted without regard to case.
    static XStrList hardcodedGenres();
    // The file's path in the application data folder.
    static XStr pathInProfile(const XStr& fileName);
    // The lines of the genres file, which the user may edit; the first call of a process
    // writes the built-in list there when the file is missing.
    static XStrList standardGenres();
    static uint32_t numCPUs();
    static uint32_t numThreads();
};
