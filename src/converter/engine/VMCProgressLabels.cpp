#include "VMCProgressLabels.h"

#include <cmath>

namespace VMCProgressLabels {

XStr mainText(uint32_t numDone, std::size_t entries, const XStr& encoderName) {
    XStr main;
    if (numDone == entries) {
        main =
            entries == 1 ? XStr("Converted 1 file") : XStr::format("Converted %zu files", entries);
    } else if (entries == 1) {
        main = "Converting 1 file";
    } else {
        main = XStr::format("Converting %u out of %zu files", numDone + 1, entries);
    }
    return main + " to " + encoderName;
}

XStr elapsedText(uint32_t elapsedMs, bool allDone) {
    return allDone ? "Finished in " + formatTimeMS(elapsedMs)
                   : formatTimeMS(elapsedMs) + " elapsed";
}

XStr leftText(uint32_t elapsedMs, double ratioDone) {
    if (ratioDone <= 0) {
        return {};
    }
    const double left = static_cast<double>(elapsedMs) / ratioDone - static_cast<double>(elapsedMs);
    if (left <= 0) {
        return {};
    }
    const auto seconds = static_cast<uint32_t>(std::floor(left / 1000.0));
    return seconds == 0 ? XStr() : formatTimeSeconds(seconds) + " left";
}

XStr speedText(uint32_t elapsedMs, uint64_t lengthDoneMs, double fpsSum) {
    if (elapsedMs == 0 || lengthDoneMs == 0) {
        return {};
    }
    XStr text = XStr::format("%.1fx encoding speed",
                             static_cast<double>(lengthDoneMs) / static_cast<double>(elapsedMs));
    if (fpsSum > 0) {
        text = text + ", " + formatOneDecimal(fpsSum) + " FPS";
    }
    return text;
}

XStr formatTimeSeconds(uint32_t seconds) {
    XStr minutes;
    if (seconds >= 120) {
        minutes = XStr::format("%u minutes", seconds / 60);
    } else if (seconds >= 60) {
        minutes = "1 minute";
    }
    const uint32_t rest = seconds % 60;
    XStr secs;
    if (rest >= 2) {
        secs = XStr::format("%u seconds", rest);
    } else if (rest == 1) {
        secs = "1 second";
    }
    if (!minutes.empty() && !secs.empty()) {
        return minutes + " " + secs;
    }
    if (minutes.empty() && secs.empty()) {
        return "0 seconds";
    }
    return minutes.empty() ? secs : minutes;
}

XStr formatOneDecimal(double value) {
    const bool negative = value < 0;
    const auto tenths = static_cast<uint64_t>(std::fabs(value) * 10.0 + 0.49);
    XStr text = XStr::format("%llu.%llu", static_cast<unsigned long long>(tenths / 10),
                             static_cast<unsigned long long>(tenths % 10));
    while (text.endsWith("0") && text.contains(U'.')) {
        text.pop_back();
    }
    if (text.endsWith(".")) {
        text.pop_back();
    }
    return negative ? "-" + text : text;
}

}  // namespace VMCProgressLabels
