#include "JSON.h"

namespace {

XPropertyValue fromValue(const XJSON::AnyType& value) {
    switch (value.TypeOf()) {
        case XJSON::typeObject: {
            const XJSON::Object& object = value.AsObject();
            XPropertyDictionary dictionary;
            for (std::size_t i = 0; i < object.Count(); ++i) {
                dictionary.set(object.NameAt(i), fromValue(object.ValueAt(i)));
            }
            return dictionary;
        }
        case XJSON::typeArray: {
            const XJSON::Array& array = value.AsArray();
            XPropertyValue::List list;
            list.reserve(array.Count());
            for (std::size_t i = 0; i < array.Count(); ++i) {
                list.push_back(fromValue(array.At(i)));
            }
            return list;
        }
        case XJSON::typeString:
            return value.AsString().Value;
        case XJSON::typeNumber:
            return value.AsNumber().Value;
        case XJSON::typeBoolean:
            return value.AsBoolean().Value;
        case XJSON::typeNull:
            break;
    }
    return XPropertyValue();
}

XJSON::Owned toValue(const XPropertyValue& object) {
    switch (object.kind()) {
        case XPropertyValue::Kind::kDictionary: {
            auto result = std::make_unique<XJSON::Object>();
            result->Reserve(object.dictionary().size());
            for (const auto& [key, value] : object.dictionary()) {
                result->Add(key, toValue(value));
            }
            return result;
        }
        case XPropertyValue::Kind::kList: {
            auto result = std::make_unique<XJSON::Array>();
            result->Reserve(object.list().size());
            for (const XPropertyValue& value : object.list()) {
                result->Add(toValue(value));
            }
            return result;
        }
        case XPropertyValue::Kind::kString:
            return std::make_unique<XJSON::String>(object.stringValue());
        case XPropertyValue::Kind::kBoolean:
        case XPropertyValue::Kind::kNumber:
            return std::make_unique<XJSON::Number>(object.numberValue());
        case XPropertyValue::Kind::kNull:
            break;
    }
    return std::make_unique<XJSON::Null>();
}

}  // namespace

std::optional<XPropertyValue> JSON::fromXJSON(const XJSON::AnyType* value) {
    if (value == nullptr) {
        return std::nullopt;
    }
    return fromValue(*value);
}

XJSON::Owned JSON::toXJSON(const XPropertyValue* object) {
    if (object == nullptr) {
        return std::make_unique<XJSON::Null>();
    }
    return toValue(*object);
}

std::optional<XPropertyValue> JSON::read(const XFileName& path) {
    const XJSON::Owned tree = XJSON::ReadFile(path, kMaxFileBytes);
    return fromXJSON(tree.get());
}

bool JSON::write(const XPropertyValue* object, const XFileName& path) {
    const XJSON::Owned tree = toXJSON(object);
    return XJSON::WriteFile(path, tree.get());
}

bool JSON::writeAtomically(const XPropertyValue* object, const XFileName& path) {
    const XJSON::Owned tree = toXJSON(object);
    return XJSON::WriteFileAtomically(path, tree.get());
}
