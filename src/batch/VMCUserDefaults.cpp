#include "VMCUserDefaults.h"

std::optional<XStrList> VMCUserDefaults::stringList(const XStr& key) const {
    const std::optional<XPropertyValue> v = value(key);
    if (!v || !v->isList()) {
        return std::nullopt;
    }
    XStrList list;
    for (const XPropertyValue& element : v->list()) {
        if (element.isString()) {
            list.push_back(element.stringValue());
        }
    }
    return list;
}

std::optional<XPropertyValue> VMCMemoryUserDefaults::value(const XStr& key) const {
    const auto it = mValues.find(key);
    if (it == mValues.end()) {
        return std::nullopt;
    }
    return it->second;
}
