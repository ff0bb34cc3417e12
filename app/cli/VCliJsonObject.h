// One flat JSON object written on one line, members in the order added.
#pragma once

#include <cstdint>
#include <string>

#include "XStr.h"

class VCliJsonObject {
public:
    VCliJsonObject& add(const char* key, const std::string& utf8);
    VCliJsonObject& add(const char* key, const char* utf8) { return add(key, std::string(utf8)); }
    VCliJsonObject& add(const char* key, const XStr& text) { return add(key, text.utf8()); }
    VCliJsonObject& add(const char* key, int64_t value);
    VCliJsonObject& add(const char* key, uint32_t value) {
        return add(key, static_cast<int64_t>(value));
    }
    VCliJsonObject& add(const char* key, int value) {
        return add(key, static_cast<int64_t>(value));
    }
    VCliJsonObject& add(const char* key, bool value);
    // A value that is JSON text already (an array, a nested object).
    VCliJsonObject& addRaw(const char* key, const std::string& json);

    std::string str() const { return "{" + mBody + "}"; }

private:
    void key(const char* name);

    std::string mBody;
};
