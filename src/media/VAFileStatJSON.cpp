#include "VAFileStatJSON.h"

namespace {

bool nanosecondsFrom(const XJSON::AnyType& value, VAFileStat& stat) {
    if (value.TypeOf() != XJSON::typeString) {
        return false;
    }
    const XStr& digits = value.AsString().Value;
    if (digits.empty() || digits.size() > 19) {
        return false;
    }
    for (char32_t c : digits) {
        if (c < U'0' || c > U'9') {
            return false;
        }
    }
    const int64_t ns = digits.toInt64();
    stat.modifiedSeconds = ns / 1000000000;
    stat.modifiedNanoseconds = ns % 1000000000;
    return true;
}

}  // namespace

namespace VAFileStatJSON {

void write(XJSON::Object& record, const VAFileStat& stat) {
    record.Add("size", std::make_unique<XJSON::Number>(static_cast<double>(stat.size)));
    record.Add("mtimeNs", std::make_unique<XJSON::String>(XStr::number(stat.modifiedNs())));
}

bool read(const XJSON::Object& record, VAFileStat& stat) {
    return wholeNumber(record.Find("size"), stat.size) &&
           nanosecondsFrom(record.Find("mtimeNs"), stat);
}

bool wholeNumber(const XJSON::AnyType& value, int64_t& out) {
    if (value.TypeOf() != XJSON::typeNumber) {
        return false;
    }
    const double v = value.AsNumber().Value;
    if (!(v >= 0 && v <= kMaxExact) || v != static_cast<double>(static_cast<int64_t>(v))) {
        return false;
    }
    out = static_cast<int64_t>(v);
    return true;
}

}  // namespace VAFileStatJSON
