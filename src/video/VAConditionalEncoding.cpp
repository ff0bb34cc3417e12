#include "VAConditionalEncoding.h"

std::unique_ptr<VAConditionalEncoding> VAConditionalEncoding::createWithDSPs(
    const std::vector<VADSPSpec>& /*dsps*/) {
    return nullptr;
}

bool VAConditionalEncoding::processEntry(const VAConversionEntry& /*entry*/,
                                         const VAMediaFileInfo* /*info*/) const {
    return true;
}
