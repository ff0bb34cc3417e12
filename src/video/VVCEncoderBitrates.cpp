#include "VVCEncoderBitrates.h"

namespace {

constexpr uint32_t kBitrates[VVCEncoderBitrates::kCount] = {
    200,  300,  400,  500,  600,  700,  800,  1000,  1500,  2000,
    2500, 3000, 3500, 4000, 5000, 6000, 8000, 10000, 15000, 20000};

// The three forms of one rate: below a megabit, whole megabits, megabits with the hundreds
// digit (the table has no finer steps).
struct Forms {
    XStr (*kilo)(uint32_t);
    XStr (*mega)(uint32_t);
    XStr (*megaTenths)(uint32_t, uint32_t);
};

XStr formatWith(uint32_t kbps, const Forms& forms) {
    if (kbps < 1000) {
        return forms.kilo(kbps);
    }
    if (kbps % 1000 == 0) {
        return forms.mega(kbps / 1000);
    }
    return forms.megaTenths(kbps / 1000, (kbps % 1000) / 100);
}

const Forms kOptionForms = {[](uint32_t k) { return XStr::format("%uk", k); },
                            [](uint32_t m) { return XStr::format("%uM", m); },
                            [](uint32_t m, uint32_t h) { return XStr::format("%u.%uM", m, h); }};

const Forms kUserForms = {[](uint32_t k) { return XStr::format("%u kbps", k); },
                          [](uint32_t m) { return XStr::format("%u mbps", m); },
                          [](uint32_t m, uint32_t h) { return XStr::format("%u.%u mbps", m, h); }};

}  // namespace

uint32_t VVCEncoderBitrates::bitrateByIndex(unsigned index) {
    return index < kCount ? kBitrates[index] : 0;
}

XStr VVCEncoderBitrates::formatBitrate(uint32_t kbps) {
    return formatWith(kbps, kOptionForms);
}

XStr VVCEncoderBitrates::formatBitrateUser(uint32_t kbps) {
    return formatWith(kbps, kUserForms);
}

std::optional<unsigned> VVCEncoderBitrates::findBitrateIndex(const XStr& text) {
    for (unsigned i = 0; i < kCount; ++i) {
        if (formatBitrate(kBitrates[i]) == text) {
            return i;
        }
    }
    return std::nullopt;
}
