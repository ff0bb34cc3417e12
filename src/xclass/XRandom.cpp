#include "XRandom.h"

#include <sys/random.h>

#include <cstddef>
#include <cstdint>

#include "XFile.h"

namespace {

constexpr size_t kIdentifierBytes = 16;

bool readUrandom(uint8_t* bytes) {
    XFile file;
    if (!file.Open("/dev/urandom", XFile::Access::kReadOnly,
                   XFile::kOpenExisting | XFile::kNoLock)) {
        return false;
    }
    return file.Read(bytes, kIdentifierBytes) == kIdentifierBytes;
}

// For a sandbox without /dev.
bool readGetrandom(uint8_t* bytes) {
    size_t done = 0;
    while (done < kIdentifierBytes) {
        const ssize_t n = getrandom(bytes + done, kIdentifierBytes - done, 0);
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

XStr XRandomIdentifier() {
    uint8_t bytes[kIdentifierBytes] = {0};
    if (!readUrandom(bytes) && !readGetrandom(bytes)) {
        return XStr();
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    XStr text;
    text.reserve(kIdentifierBytes * 2);
    for (uint8_t b : bytes) {
        text.push_back(static_cast<char32_t>(kDigits[b >> 4]));
        text.push_back(static_cast<char32_t>(kDigits[b & 0x0F]));
    }
    return text;
}
