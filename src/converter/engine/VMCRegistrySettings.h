// The scheduler's settings in the settings store, under the default key.
#pragma once

#include "VMCProgressDialog.h"

class VMCRegistrySettings : public VMCProgressSettings {
public:
    // Stored as DWORD 0 or 1; a missing value or one of another type gives the default.
    bool getBool(const XStr& name, bool defaultValue) override;
    void setBool(const XStr& name, bool value) override;
};
