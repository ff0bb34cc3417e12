// Raw tag bytes come back from storage and other processes: any bytes must read without
// crashing, and what was read must write and read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "NTag.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    NTag tag;
    tag.FromRawData(data, size);
    const std::vector<uint8_t> written = tag.ToRawData();
    NTag again;
    again.FromRawData(written.data(), written.size());
    if (again.ToRawData() != written) {
        std::abort();
    }
    return 0;
}
