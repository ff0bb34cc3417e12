// The batch converter's window-level choices in QSettings, the desktop's per-application
// store. Strings are kept as their bytes, so a folder name that is not UTF-8 comes back as
// it was.
#pragma once

#include "VMCUserDefaults.h"

class VMCQtUserDefaults : public VMCUserDefaults {
public:
    std::optional<XPropertyValue> value(const XStr& key) const override;
    void setValue(const XStr& key, const XPropertyValue& value) override;
    void remove(const XStr& key) override;
};
