#include "VVCDSPPageTrim.h"

#include <cmath>
#include <limits>

#include "VAElemValueList.h"

namespace {

// Ten thousand hours, in seconds: more than any medium holds.
constexpr double kMaxSeconds = 36e6;

// One "%d" of scanf: blanks skipped, a sign, at least one digit; saturates.
bool scanInt(const XStr& text, std::size_t& at, int64_t& out) {
    std::size_t i = at;
    while (i < text.size() && (text[i] == U' ' || text[i] == U'\t' || text[i] == U'\n')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == U'-' || text[i] == U'+')) {
        negative = text[i] == U'-';
        ++i;
    }
    const std::size_t digitsStart = i;
    int64_t value = 0;
    while (i < text.size() && text[i] >= U'0' && text[i] <= U'9') {
        value = std::min<int64_t>(value * 10 + (text[i] - U'0'), std::numeric_limits<int>::max());
        ++i;
    }
    if (i == digitsStart) {
        return false;
    }
    out = negative ? -value : value;
    at = i;
    return true;
}

bool scanLiteral(const XStr& text, std::size_t& at, char32_t c) {
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

}  // namespace

XStr VVCDSPPageTrim::exportTime(double ms) {
    // A malformed time reads as minus one second; nothing before the start can be cut.
    if (!(ms > 0)) {
        ms = 0;
    }
    ms = std::min(ms, kMaxSeconds * 1000);
    auto whole = static_cast<uint64_t>(std::floor(ms / 1000));
    auto millis = static_cast<uint64_t>(std::floor(ms - static_cast<double>(whole) * 1000 + 0.5));
    if (millis >= 1000) {
        // 999.6 ms rounds up to the next whole second, not to ".1000".
        whole += millis / 1000;
        millis %= 1000;
    }
    const uint64_t hours = whole / 3600;
    const auto minutes = static_cast<unsigned>((whole / 60) % 60);
    const auto seconds = static_cast<unsigned>(whole % 60);
    XStr text = (hours < 10 ? "0" : "") + XStr::number(hours) +
                XStr::format(":%02u:%02u", minutes, seconds);
    if (millis != 0) {
        text += XStr::format(".%03u", static_cast<unsigned>(millis));
    }
    return text;
}

double VVCDSPPageTrim::importTime(const XStr& text) {
    std::size_t at = 0;
    int64_t hours = 0;
    int64_t minutes = 0;
    int64_t seconds = 0;
    if (!scanInt(text, at, hours) || !scanLiteral(text, at, U':') || !scanInt(text, at, minutes) ||
        !scanLiteral(text, at, U':') || !scanInt(text, at, seconds)) {
        return -1000;
    }
    double total = static_cast<double>(hours * 3600 + minutes * 60 + seconds);
    if (scanLiteral(text, at, U'.')) {
        // Up to seven characters of fraction; its leading digits count.
        while (at < text.size() && (text[at] == U' ' || text[at] == U'\t')) {
            ++at;
        }
        double digits = 0;
        double scale = 1;
        for (std::size_t n = 0; n < 7 && at < text.size() && text[at] >= U'0' && text[at] <= U'9';
             ++n, ++at) {
            digits = digits * 10 + (text[at] - U'0');
            scale *= 10;
        }
        total += digits / scale;
    }
    return total * 1000;
}

XStr VVCDSPPageTrim::summary() const {
    if (mSetStart && mSetLength) {
        return "From " + exportTime(mStartMS) + " for " + exportTime(mLengthMS);
    }
    if (mSetStart) {
        return "From " + exportTime(mStartMS) + " to the end";
    }
    if (mSetLength) {
        return "The first " + exportTime(mLengthMS);
    }
    return "The whole source";
}

std::vector<VVCControl> VVCDSPPageTrim::pageView() const {
    VVCControl start =
        VVCControl::numberField("start", "Start (seconds)", mStartMS / 1000, 0, kMaxSeconds, 3);
    VVCControl length =
        VVCControl::numberField("length", "Length (seconds)", mLengthMS / 1000, 0, kMaxSeconds, 3);
    start.enabled = mSetStart;
    length.enabled = mSetLength;
    return {VVCControl::checkBox("set-start", "Start at", mSetStart), start,
            VVCControl::checkBox("set-length", "Length", mSetLength), length,
            VVCControl::label("summary", summary())};
}

XStr VVCDSPPageTrim::dspArgs() const {
    VAElemValueList list;
    if (mSetStart) {
        list.addElem("ss", exportTime(mStartMS));
    }
    if (mSetLength) {
        list.addElem("t", exportTime(mLengthMS));
    }
    return list.mergeToString_alternate();
}

void VVCDSPPageTrim::setDspArgs(const XStr& args) {
    const VAElemValueList list(args);
    const std::optional<XStr> start = list.findValue("ss");
    mSetStart = start.has_value();
    if (start) {
        mStartMS = importTime(*start);
    }
    const std::optional<XStr> length = list.findValue("t");
    mSetLength = length.has_value();
    if (length) {
        mLengthMS = importTime(*length);
    }
}

void VVCDSPPageTrim::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == "set-start") {
        mSetStart = value.integer != 0;
    } else if (control.id == "set-length") {
        mSetLength = value.integer != 0;
    } else if (control.id == "start") {
        mStartMS = std::round(value.number * 1000);
    } else if (control.id == "length") {
        mLengthMS = std::round(value.number * 1000);
    }
}
