// ffprobe's report is outside input (a damaged or hostile file can make ffprobe print
// almost anything): reading it must never crash, and a report read twice gives the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "NTag.h"
#include "VAProbeReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    NTag idTags;
    NTag props;
    uint64_t lengthMS = 0;
    const bool found = VAProbeReport::read(text, idTags, props, lengthMS);
    NTag idTags2;
    NTag props2;
    uint64_t lengthMS2 = 0;
    if (VAProbeReport::read(text, idTags2, props2, lengthMS2) != found || lengthMS2 != lengthMS ||
        idTags2.ToRawData() != idTags.ToRawData() || props2.ToRawData() != props.ToRawData()) {
        std::abort();
    }
    return 0;
}
