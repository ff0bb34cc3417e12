#include "VADSPSpec.h"

std::optional<VADSPSpec> VADSPSpec::initWithData(const XStrList& data) {
    if (data.size() != 2) {
        return std::nullopt;
    }
    return VADSPSpec{data[0], data[1]};
}

VADSPSpec VADSPSpec::copy() const {
    return *initWithData(data());
}
