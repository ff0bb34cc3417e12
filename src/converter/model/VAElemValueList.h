// The element/value list object: one option list with the look-ups, appends and the two
// written forms that encoder pages, effect pages and stored settings use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "VAElemValue.h"
#include "VAOptionList.h"
#include "XStr.h"

class VAElemValueList {
public:
    VAElemValueList() = default;
    explicit VAElemValueList(const XStr& text);

    static VAElemValueList withString(const XStr& text);
    static VAElemValueList withCLIVal(const XStr& text);

    const VAOptionList& lstElementValue() const { return mList; }

    std::size_t count() const { return mList.size(); }
    std::optional<VAElemValue> valueAtIndex(std::size_t i) const;

    // Look-ups answer the first pair of that name, ASCII case ignored.
    std::optional<XStr> findValue(const XStr& name) const;
    XStr findValue(const XStr& name, const XStr& defaultValue) const;
    int64_t findIntValue(const XStr& name, int64_t defaultValue = 0) const;
    double findDoubleValue(const XStr& name, double defaultValue = 0.0) const;
    bool containsElem(const XStr& name) const;
    // Nothing when absent or not Base64.
    std::optional<std::vector<uint8_t>> findBinValue(const XStr& name) const;

    // Pairs are always appended, never replaced.
    void addElem(const XStr& name);
    void addElem(const XStr& name, const XStr& value);
    void addElem(const XStr& name, int64_t intValue);
    void addElem(const XStr& name, double doubleValue, int precision);
    void addElem(const XStr& name, const std::vector<uint8_t>& binValue);
    void clearElem(const XStr& name);
    void addElemsFromString(const XStr& text);
    void addElems(const VAElemValueList& other);

    // Every pair has a pair of the same name (first match) with an equal value in other;
    // no other list gives false.
    bool isSubsetOf(const VAElemValueList* other) const;

    // -name="value" pairs: the form of stored settings texts.
    XStr mergeToString() const;
    // -name value pairs (an empty value leaves the blank): the form of FFmpeg options.
    XStr mergeToString_alternate() const;

    // A whole command text kept as the value of "cli_cmd", its double quotes as "{qt}".
    void addCLIVal(const XStr& text);
    XStr getCLIVal() const;

    // The number form: n decimals, rounded by adding 0.49 in the last place, trailing
    // zeros and a trailing point removed.
    static XStr formatNumber(double value, int precision);

private:
    VAOptionList mList;
};
