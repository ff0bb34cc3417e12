// A compact, renderer-independent description of a parsed tree, so that parser tests do
// not depend on the rendering rules: {name:value,...}, [a,b], "text", numbers with all
// their digits, true/false/null. Code units outside printable ASCII appear as <hex>.
#pragma once

#include <cstdio>
#include <string>

#include "XJSON.h"

inline std::string describeText(const XStr& text) {
    std::string out;
    for (const char32_t c : text) {
        if (c >= 32 && c < 127) {
            out.push_back(static_cast<char>(c));
        } else {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "<%X>", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

inline std::string describe(const XJSON::AnyType& value) {
    switch (value.TypeOf()) {
        case XJSON::typeObject: {
            const XJSON::Object& object = value.AsObject();
            std::string out = "{";
            for (std::size_t i = 0; i < object.Count(); ++i) {
                out += (i > 0 ? "," : "") + describeText(object.NameAt(i)) + ":" +
                       describe(object.ValueAt(i));
            }
            return out + "}";
        }
        case XJSON::typeArray: {
            const XJSON::Array& array = value.AsArray();
            std::string out = "[";
            for (std::size_t i = 0; i < array.Count(); ++i) {
                out += (i > 0 ? "," : "") + describe(array.At(i));
            }
            return out + "]";
        }
        case XJSON::typeString:
            return "\"" + describeText(value.AsString().Value) + "\"";
        case XJSON::typeNumber: {
            char buffer[40];
            std::snprintf(buffer, sizeof buffer, "%.17g", value.AsNumber().Value);
            return buffer;
        }
        case XJSON::typeBoolean:
            return value.AsBoolean().Value ? "true" : "false";
        case XJSON::typeNull:
            return "null";
    }
    return "?";
}

// The description of what Parse gives, or "none" for no value.
inline std::string parsed(const XStr& text) {
    const XJSON::Owned value = XJSON::Parse(text);
    return value ? describe(*value) : "none";
}
