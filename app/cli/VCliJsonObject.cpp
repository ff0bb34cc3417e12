#include "VCliJsonObject.h"

#include "VCliJson.h"

void VCliJsonObject::key(const char* name) {
    if (!mBody.empty()) {
        mBody += ',';
    }
    mBody += VCliJson::quote(name);
    mBody += ':';
}

VCliJsonObject& VCliJsonObject::add(const char* name, const std::string& utf8) {
    key(name);
    mBody += VCliJson::quote(utf8);
    return *this;
}

VCliJsonObject& VCliJsonObject::add(const char* name, int64_t value) {
    key(name);
    mBody += std::to_string(value);
    return *this;
}

VCliJsonObject& VCliJsonObject::add(const char* name, bool value) {
    key(name);
    mBody += value ? "true" : "false";
    return *this;
}

VCliJsonObject& VCliJsonObject::addRaw(const char* name, const std::string& json) {
    key(name);
    mBody += json;
    return *this;
}
