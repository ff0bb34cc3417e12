#include "XJSON.h"

#include <utility>

#include "XAssert.h"

namespace {

XJSON::Owned orNull(XJSON::Owned value) {
    // Containers always hold a value, so a missing one is stored as null.
    return value ? std::move(value) : std::make_unique<XJSON::Null>();
}

bool namesEqual(const XStr& a, const XStr& b, bool ignoreCase) {
    return ignoreCase ? a.equalsNoCase(b) : a == b;
}

}  // namespace

// Shared values. Leaked on purpose: they must outlive every static that may use them.

XJSON::Object& XJSON::EmptyObject() {
    static Object* const kValue = new Object();
    return *kValue;
}

XJSON::Array& XJSON::EmptyArray() {
    static Array* const kValue = new Array();
    return *kValue;
}

XJSON::String& XJSON::EmptyString() {
    static String* const kValue = new String();
    return *kValue;
}

XJSON::Number& XJSON::EmptyNumber() {
    static Number* const kValue = new Number();
    return *kValue;
}

XJSON::Boolean& XJSON::EmptyBoolean() {
    static Boolean* const kValue = new Boolean();
    return *kValue;
}

XJSON::Null& XJSON::SharedNull() {
    static Null* const kValue = new Null();
    return *kValue;
}

// Typed accessors

XJSON::Object& XJSON::AnyType::AsObject() {
    if (TypeOf() == typeObject) {
        return static_cast<Object&>(*this);
    }
    Object& empty = EmptyObject();
    XASSERT_TEXT(empty.Count() == 0, "EmptyObject.Count() == 0");
    return empty;
}

XJSON::Array& XJSON::AnyType::AsArray() {
    if (TypeOf() == typeArray) {
        return static_cast<Array&>(*this);
    }
    Array& empty = EmptyArray();
    XASSERT_TEXT(empty.Count() == 0, "EmptyArray.Count() == 0");
    return empty;
}

XJSON::String& XJSON::AnyType::AsString() {
    if (TypeOf() == typeString) {
        return static_cast<String&>(*this);
    }
    String& empty = EmptyString();
    XASSERT_TEXT(empty.Value.length() == 0, "EmptyString.Value.Length() == 0");
    return empty;
}

XJSON::Number& XJSON::AnyType::AsNumber() {
    if (TypeOf() == typeNumber) {
        return static_cast<Number&>(*this);
    }
    Number& empty = EmptyNumber();
    XASSERT_TEXT(empty.Value == 0, "EmptyNumber.Value == 0");
    return empty;
}

XJSON::Boolean& XJSON::AnyType::AsBoolean() {
    if (TypeOf() == typeBoolean) {
        return static_cast<Boolean&>(*this);
    }
    Boolean& empty = EmptyBoolean();
    XASSERT_TEXT(empty.Value == false, "EmptyBoolean.Value == false");
    return empty;
}

const XJSON::Object& XJSON::AnyType::AsObject() const {
    return const_cast<AnyType*>(this)->AsObject();
}

const XJSON::Array& XJSON::AnyType::AsArray() const {
    return const_cast<AnyType*>(this)->AsArray();
}

const XJSON::String& XJSON::AnyType::AsString() const {
    return const_cast<AnyType*>(this)->AsString();
}

const XJSON::Number& XJSON::AnyType::AsNumber() const {
    return const_cast<AnyType*>(this)->AsNumber();
}

const XJSON::Boolean& XJSON::AnyType::AsBoolean() const {
    return const_cast<AnyType*>(this)->AsBoolean();
}

bool XJSON::AnyType::Equals(const AnyType& other) const {
    if (TypeOf() != other.TypeOf()) {
        return false;
    }
    switch (TypeOf()) {
        case typeObject: {
            const Object& a = AsObject();
            const Object& b = other.AsObject();
            if (a.Count() != b.Count()) {
                return false;
            }
            for (std::size_t i = 0; i < a.Count(); ++i) {
                if (a.NameAt(i) != b.NameAt(i) || !a.ValueAt(i).Equals(b.ValueAt(i))) {
                    return false;
                }
            }
            return true;
        }
        case typeArray: {
            const Array& a = AsArray();
            const Array& b = other.AsArray();
            if (a.Count() != b.Count()) {
                return false;
            }
            for (std::size_t i = 0; i < a.Count(); ++i) {
                if (!a.At(i).Equals(b.At(i))) {
                    return false;
                }
            }
            return true;
        }
        case typeString:
            return AsString().Value == other.AsString().Value;
        case typeNumber:
            return AsNumber().Value == other.AsNumber().Value;
        case typeBoolean:
            return AsBoolean().Value == other.AsBoolean().Value;
        case typeNull:
            return true;
    }
    return false;
}

// Object

XJSON::Owned XJSON::Object::Clone() const {
    auto copy = std::make_unique<Object>();
    copy->Reserve(Count());
    for (std::size_t i = 0; i < Count(); ++i) {
        copy->Add(mNames[i], mValues[i]->Clone());
    }
    return copy;
}

const XStr& XJSON::Object::NameAt(std::size_t i) const {
    static const XStr* const kNone = new XStr();
    return i < mNames.size() ? mNames[i] : *kNone;
}

XJSON::AnyType& XJSON::Object::ValueAt(std::size_t i) {
    return i < mValues.size() ? *mValues[i] : SharedNull();
}

const XJSON::AnyType& XJSON::Object::ValueAt(std::size_t i) const {
    return i < mValues.size() ? *mValues[i] : SharedNull();
}

std::size_t XJSON::Object::IndexOf(const XStr& name, bool ignoreCase) const {
    for (std::size_t i = 0; i < mNames.size(); ++i) {
        if (namesEqual(mNames[i], name, ignoreCase)) {
            return i;
        }
    }
    return XStr::npos;
}

XJSON::AnyType& XJSON::Object::Get(const XStr& name) {
    return ValueAt(IndexOf(name, true));
}

const XJSON::AnyType& XJSON::Object::Get(const XStr& name) const {
    return ValueAt(IndexOf(name, true));
}

XJSON::AnyType& XJSON::Object::Find(const XStr& name) {
    return ValueAt(IndexOf(name, false));
}

const XJSON::AnyType& XJSON::Object::Find(const XStr& name) const {
    return ValueAt(IndexOf(name, false));
}

bool XJSON::Object::Has(const XStr& name) const {
    return IndexOf(name, true) != XStr::npos;
}

void XJSON::Object::Set(const XStr& name, Owned value) {
    const std::size_t i = IndexOf(name, false);
    if (i == XStr::npos) {
        Add(name, std::move(value));
    } else {
        SetAt(i, std::move(value));
    }
}

void XJSON::Object::SetNoCase(const XStr& name, Owned value) {
    const std::size_t i = IndexOf(name, true);
    if (i == XStr::npos) {
        Add(name, std::move(value));
    } else {
        SetAt(i, std::move(value));
    }
}

void XJSON::Object::SetAt(std::size_t i, Owned value) {
    if (i < mValues.size()) {
        mValues[i] = orNull(std::move(value));
    }
}

void XJSON::Object::Remove(const XStr& name) {
    for (std::size_t i = mNames.size(); i-- > 0;) {
        if (mNames[i] == name) {
            RemoveAt(i);
        }
    }
}

void XJSON::Object::RemoveNoCase(const XStr& name) {
    for (std::size_t i = mNames.size(); i-- > 0;) {
        if (mNames[i].equalsNoCase(name)) {
            RemoveAt(i);
        }
    }
}

void XJSON::Object::RemoveAt(std::size_t i) {
    if (i < mValues.size()) {
        mNames.erase(mNames.begin() + static_cast<std::ptrdiff_t>(i));
        mValues.erase(mValues.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void XJSON::Object::Add(XStr name, Owned value) {
    mNames.push_back(std::move(name));
    mValues.push_back(orNull(std::move(value)));
}

XJSON::Object& XJSON::Object::AddObject(XStr name) {
    auto* object = new Object();
    Add(std::move(name), Owned(object));
    return *object;
}

XJSON::Array& XJSON::Object::AddArray(XStr name) {
    auto* array = new Array();
    Add(std::move(name), Owned(array));
    return *array;
}

void XJSON::Object::Reserve(std::size_t count) {
    mNames.reserve(count);
    mValues.reserve(count);
}

// Array

XJSON::Owned XJSON::Array::Clone() const {
    auto copy = std::make_unique<Array>();
    copy->Reserve(Count());
    for (const Owned& value : mValues) {
        copy->Add(value->Clone());
    }
    return copy;
}

XJSON::AnyType& XJSON::Array::At(std::size_t i) {
    return i < mValues.size() ? *mValues[i] : SharedNull();
}

const XJSON::AnyType& XJSON::Array::At(std::size_t i) const {
    return i < mValues.size() ? *mValues[i] : SharedNull();
}

void XJSON::Array::Add(Owned value) {
    mValues.push_back(orNull(std::move(value)));
}

XJSON::Object& XJSON::Array::AddObject() {
    auto* object = new Object();
    Add(Owned(object));
    return *object;
}

XJSON::Array& XJSON::Array::AddArray() {
    auto* array = new Array();
    Add(Owned(array));
    return *array;
}

void XJSON::Array::Reserve(std::size_t count) {
    mValues.reserve(count);
}

// Scalars

XJSON::Owned XJSON::String::Clone() const {
    return std::make_unique<String>(Value);
}

XJSON::Owned XJSON::Number::Clone() const {
    return std::make_unique<Number>(Value);
}

XJSON::Owned XJSON::Boolean::Clone() const {
    return std::make_unique<Boolean>(Value);
}

XJSON::Owned XJSON::Null::Clone() const {
    return std::make_unique<Null>();
}
