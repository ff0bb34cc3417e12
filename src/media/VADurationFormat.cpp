#include "VADurationFormat.h"

#include "VANumberFormat.h"

namespace {

struct Parts {
    uint64_t hours = 0;
    uint64_t minutes = 0;
    uint64_t seconds = 0;
    uint64_t ms = 0;
};

Parts split(uint64_t ms) {
    Parts p;
    p.hours = ms / 3600000;
    p.minutes = (ms / 60000) % 60;
    p.seconds = (ms / 1000) % 60;
    p.ms = ms % 1000;
    return p;
}

XStr counted(uint64_t n, const char* one, const char* many) {
    return XStr::number(n) + (n == 1 ? one : many);
}

XStr pad2(uint64_t n) {
    return XStr::format("%02llu", static_cast<unsigned long long>(n));
}

}  // namespace

XStr VADurationFormat::format(uint64_t ms, int style) {
    switch (style) {
        case kClock:
            return clock(ms);
        case kFullClock:
            return fullClock(ms);
        case kPrecise:
            return precise(ms);
        default:
            return words(ms);
    }
}

XStr VADurationFormat::words(uint64_t ms) {
    const Parts p = split(ms);
    if (p.hours != 0) {
        XStr text = counted(p.hours, " hour", " hours");
        if (p.minutes != 0) {
            text += " " + counted(p.minutes, " minute", " minutes");
        }
        return text;
    }
    if (p.minutes != 0) {
        XStr text = counted(p.minutes, " minute", " minutes");
        if (p.seconds != 0) {
            text += " " + counted(p.seconds, " second", " seconds");
        }
        return text;
    }
    if (p.seconds == 0) {
        return p.ms == 0 ? XStr("0") : counted(p.ms, " mili-second", " mili-seconds");
    }
    if (p.ms != 0) {
        const double seconds = static_cast<double>(p.seconds) + static_cast<double>(p.ms) / 1000.0;
        const XStr text = VANumberFormat::decimal(seconds, 1);
        // 1.04 s shows as "1": one second, not "1 seconds".
        return text + (text == "1" ? " second" : " seconds");
    }
    return counted(p.seconds, " second", " seconds");
}

XStr VADurationFormat::clock(uint64_t ms) {
    const Parts p = split(ms);
    if (p.hours != 0) {
        return XStr::number(p.hours) + ":" + pad2(p.minutes) + ":" + pad2(p.seconds);
    }
    return XStr::number(p.minutes) + ":" + pad2(p.seconds);
}

XStr VADurationFormat::fullClock(uint64_t ms) {
    const Parts p = split(ms);
    return pad2(p.hours) + ":" + pad2(p.minutes) + ":" + pad2(p.seconds);
}

XStr VADurationFormat::precise(uint64_t ms) {
    return fullClock(ms) + XStr::format(".%03llu", static_cast<unsigned long long>(ms % 1000));
}
