// Effect-chain strings come from stored profiles and preset files: reading must never
// crash, and a chain written back must read as the same chain.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "VADSPList.h"
#include "XStr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const XStr text = XStr::fromUtf8(reinterpret_cast<const char*>(data), size);
    const VADSPChain chain = VADSPList::splitDSPString(text);
    const XStr written = VADSPList::mergeDSPString(chain);
    if (VADSPList::splitDSPString(written) != chain) {
        std::abort();
    }
    if (VADSPList::mergeDSPString(VADSPList::splitDSPString(written)) != written) {
        std::abort();
    }
    return 0;
}
