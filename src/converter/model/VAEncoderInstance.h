// A per-encoder estimator of bit rate and output size. No encoder estimates yet, so every
// query answers 0 (unknown).
#pragma once

#include <cstdint>

class VAConvertSource;
struct VAEncoderArgs;

class VAEncoderInstance {
public:
    virtual ~VAEncoderInstance() = default;

    virtual int64_t kBitrateFor(const VAConvertSource& source, const VAEncoderArgs& args) const;
    virtual int64_t kBitrateForArgs(const VAEncoderArgs& args) const;
    virtual int64_t estimateOutputSizeFor(const VAConvertSource& source,
                                          const VAEncoderArgs& args) const;
};
