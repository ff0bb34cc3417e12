#include "VAElemValueList.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "VACommandText.h"
#include "XBase64.h"

namespace {

const XStr kCLIElement("cli_cmd");
const XStr kQuoteStandIn("{qt}");
// Beyond this many decimals a double carries no more digits.
constexpr int kMaxPrecision = 32;

}  // namespace

VAElemValueList::VAElemValueList(const XStr& text) : mList(VAOptionList::ParseOptions(text)) {}

VAElemValueList VAElemValueList::withString(const XStr& text) {
    return VAElemValueList(text);
}

VAElemValueList VAElemValueList::withCLIVal(const XStr& text) {
    VAElemValueList list;
    list.addCLIVal(text);
    return list;
}

std::optional<VAElemValue> VAElemValueList::valueAtIndex(std::size_t i) const {
    if (i >= mList.size()) {
        return std::nullopt;
    }
    return mList[i];
}

std::optional<XStr> VAElemValueList::findValue(const XStr& name) const {
    return VAOptionList::LookupOption(mList, name);
}

XStr VAElemValueList::findValue(const XStr& name, const XStr& defaultValue) const {
    return findValue(name).value_or(defaultValue);
}

int64_t VAElemValueList::findIntValue(const XStr& name, int64_t defaultValue) const {
    const std::optional<XStr> value = findValue(name);
    return value ? value->toInt64() : defaultValue;
}

double VAElemValueList::findDoubleValue(const XStr& name, double defaultValue) const {
    const std::optional<XStr> value = findValue(name);
    return value ? value->toDouble() : defaultValue;
}

bool VAElemValueList::containsElem(const XStr& name) const {
    return findValue(name).has_value();
}

std::optional<std::vector<uint8_t>> VAElemValueList::findBinValue(const XStr& name) const {
    const std::optional<XStr> value = findValue(name);
    if (!value) {
        return std::nullopt;
    }
    return XBase64::decode(value->utf8());
}

void VAElemValueList::addElem(const XStr& name) {
    mList.append(name, XStr());
}

void VAElemValueList::addElem(const XStr& name, const XStr& value) {
    mList.append(name, value);
}

void VAElemValueList::addElem(const XStr& name, int64_t intValue) {
    mList.append(name, XStr::number(intValue));
}

void VAElemValueList::addElem(const XStr& name, double doubleValue, int precision) {
    mList.append(name, formatNumber(doubleValue, precision));
}

void VAElemValueList::addElem(const XStr& name, const std::vector<uint8_t>& binValue) {
    mList.append(name, XStr(XBase64::encode(binValue)));
}

void VAElemValueList::clearElem(const XStr& name) {
    mList.removeAll(name);
}

void VAElemValueList::addElemsFromString(const XStr& text) {
    mList.append(VAOptionList::ParseOptions(text));
}

void VAElemValueList::addElems(const VAElemValueList& other) {
    mList.append(other.mList);
}

bool VAElemValueList::isSubsetOf(const VAElemValueList* other) const {
    if (other == nullptr) {
        return false;
    }
    return std::all_of(mList.begin(), mList.end(), [other](const VAElemValue& pair) {
        const std::optional<XStr> theirs = other->findValue(pair.element);
        return theirs && *theirs == pair.value;
    });
}

XStr VAElemValueList::mergeToString() const {
    XStr out;
    for (const VAElemValue& pair : mList) {
        if (!out.empty()) {
            out += U' ';
        }
        out += VACommandText::OptionName(pair.element);
        if (!pair.value.empty()) {
            out += "=\"" + VACommandText::Escape(pair.value) + "\"";
        }
    }
    return out;
}

XStr VAElemValueList::mergeToString_alternate() const {
    XStr out;
    bool first = true;
    for (const VAElemValue& pair : mList) {
        if (!first) {
            out += U' ';
        }
        first = false;
        out += VACommandText::OptionName(pair.element);
        out += U' ';
        const XStr escaped = VACommandText::Escape(pair.value);
        if (pair.value.contains(U' ')) {
            out += "\"" + escaped + "\"";
        } else {
            out += escaped;
        }
    }
    return out;
}

void VAElemValueList::addCLIVal(const XStr& text) {
    mList.append(kCLIElement, text.replaced("\"", kQuoteStandIn));
}

XStr VAElemValueList::getCLIVal() const {
    return findValue(kCLIElement, XStr()).replaced(kQuoteStandIn, "\"");
}

XStr VAElemValueList::formatNumber(double value, int precision) {
    const int n = std::clamp(precision, 0, kMaxPrecision);
    if (std::isnan(value)) {
        return "0";
    }
    const bool negative = value < 0;
    const double scaled = std::fabs(value) * std::pow(10.0, n) + 0.49;
    // Cut to an integer; what does not fit saturates instead of overflowing.
    constexpr double kLimit = 18446744073709551616.0;
    const uint64_t whole =
        scaled < kLimit ? static_cast<uint64_t>(scaled) : std::numeric_limits<uint64_t>::max();
    XStr digits = XStr::number(whole);
    if (n > 0) {
        const std::size_t decimals = static_cast<std::size_t>(n);
        if (digits.size() <= decimals) {
            digits = XStr(decimals + 1 - digits.size(), U'0') + digits;
        }
        digits.insert(digits.size() - decimals, ".");
        while (digits.back() == U'0') {
            digits.pop_back();
        }
        if (digits.back() == U'.') {
            digits.pop_back();
        }
    }
    return negative ? "-" + digits : digits;
}
