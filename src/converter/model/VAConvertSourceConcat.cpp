#include "VAConvertSourceConcat.h"

#include <utility>

VAConvertSourceConcat::VAConvertSourceConcat() {
    specialActionDesc = XStr("concatenating");
}

void VAConvertSourceConcat::setConcatURLs(XStrList paths) {
    mConcatURLs = std::move(paths);
    const XStr first = mConcatURLs.empty() ? XStr() : mConcatURLs.front();
    urlForConversion = first;
    urlPerceived = first;
}

int64_t VAConvertSourceConcat::probeLength(int stopFD) const {
    int64_t totalMS = 0;
    for (const XStr& path : mConcatURLs) {
        totalMS += probeLengthOf(path, stopFD);
    }
    return totalMS;
}
