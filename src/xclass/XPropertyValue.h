// The application's generic property value, free of any toolkit: null, boolean, number,
// string, list or dictionary. Settings files and profiles go through it (see JSON).
#pragma once

#include <cstdint>
#include <type_traits>
#include <variant>
#include <vector>

#include "XPropertyDictionary.h"
#include "XStr.h"

class XPropertyValue {
public:
    using List = std::vector<XPropertyValue>;
    using Dictionary = XPropertyDictionary;
    enum class Kind { kNull, kBoolean, kNumber, kString, kList, kDictionary };

    // The null object.
    XPropertyValue() = default;
    XPropertyValue(bool value) : mValue(value) {}    // NOLINT: values read as what they hold
    XPropertyValue(double value) : mValue(value) {}  // NOLINT
    template <typename T,
              std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>, int> = 0>
    XPropertyValue(T value) : mValue(static_cast<double>(value)) {}  // NOLINT
    XPropertyValue(XStr value) : mValue(std::move(value)) {}         // NOLINT
    XPropertyValue(const char* utf8) : mValue(XStr(utf8)) {}         // NOLINT: not a boolean
    XPropertyValue(List value) : mValue(std::move(value)) {}         // NOLINT
    XPropertyValue(Dictionary value) : mValue(std::move(value)) {}   // NOLINT

    Kind kind() const { return static_cast<Kind>(mValue.index()); }
    bool isNull() const { return kind() == Kind::kNull; }
    bool isBoolean() const { return kind() == Kind::kBoolean; }
    bool isNumber() const { return kind() == Kind::kNumber; }
    bool isString() const { return kind() == Kind::kString; }
    bool isList() const { return kind() == Kind::kList; }
    bool isDictionary() const { return kind() == Kind::kDictionary; }

    // False unless a true boolean or a non-zero number.
    bool boolValue() const;
    // A boolean counts as 1 or 0; anything else that is no number as 0.
    double numberValue() const;
    // The empty value of the asked kind when the value is of another kind.
    const XStr& stringValue() const;
    const List& list() const;
    const Dictionary& dictionary() const;
    // Nothing when the value is of another kind.
    List* listIf() { return std::get_if<List>(&mValue); }
    Dictionary* dictionaryIf() { return std::get_if<Dictionary>(&mValue); }

    friend bool operator==(const XPropertyValue& a, const XPropertyValue& b) {
        return a.mValue == b.mValue;
    }

private:
    std::variant<std::monostate, bool, double, XStr, List, Dictionary> mValue;
};
