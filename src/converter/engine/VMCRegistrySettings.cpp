#include "VMCRegistrySettings.h"

#include "XRegistry.h"

bool VMCRegistrySettings::getBool(const XStr& name, bool defaultValue) {
    bool missing = false;
    const uint32_t value = XRegistry::GetDWORD(name, {}, {}, &missing);
    return missing ? defaultValue : value != 0;
}

void VMCRegistrySettings::setBool(const XStr& name, bool value) {
    XRegistry::SetDWORD(name, value ? 1 : 0);
}
