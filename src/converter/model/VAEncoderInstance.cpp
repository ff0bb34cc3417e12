#include "VAEncoderInstance.h"

int64_t VAEncoderInstance::kBitrateFor(const VAConvertSource& /*source*/,
                                       const VAEncoderArgs& /*args*/) const {
    return 0;
}

int64_t VAEncoderInstance::kBitrateForArgs(const VAEncoderArgs& /*args*/) const {
    return 0;
}

int64_t VAEncoderInstance::estimateOutputSizeFor(const VAConvertSource& /*source*/,
                                                 const VAEncoderArgs& /*args*/) const {
    return 0;
}
