#include "XPropertyValue.h"

bool XPropertyValue::boolValue() const {
    if (const bool* b = std::get_if<bool>(&mValue)) {
        return *b;
    }
    if (const double* d = std::get_if<double>(&mValue)) {
        return *d != 0;
    }
    return false;
}

double XPropertyValue::numberValue() const {
    if (const double* d = std::get_if<double>(&mValue)) {
        return *d;
    }
    if (const bool* b = std::get_if<bool>(&mValue)) {
        return *b ? 1 : 0;
    }
    return 0;
}

const XStr& XPropertyValue::stringValue() const {
    static const XStr* const kEmpty = new XStr();
    const XStr* s = std::get_if<XStr>(&mValue);
    return s != nullptr ? *s : *kEmpty;
}

const XPropertyValue::List& XPropertyValue::list() const {
    static const List* const kEmpty = new List();
    const List* l = std::get_if<List>(&mValue);
    return l != nullptr ? *l : *kEmpty;
}

const XPropertyValue::Dictionary& XPropertyValue::dictionary() const {
    static const Dictionary* const kEmpty = new Dictionary();
    const Dictionary* d = std::get_if<Dictionary>(&mValue);
    return d != nullptr ? *d : *kEmpty;
}
