// A source made of several files that FFmpeg joins into one output, in list order.
#pragma once

#include <cstdint>

#include "VAConvertSource.h"
#include "XStr.h"

class VAConvertSourceConcat : public VAConvertSource {
public:
    VAConvertSourceConcat();

    const XStrList& concatURLs() const { return mConcatURLs; }
    // Both paths of the source become the first file of the list.
    void setConcatURLs(XStrList paths);

    // The sum of the probed lengths of all files.
    int64_t probeLength(int stopFD = -1) const override;

private:
    XStrList mConcatURLs;
};
