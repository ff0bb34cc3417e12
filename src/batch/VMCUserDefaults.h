// The platform's per-application store of window-level choices (last profile and folder of
// the batch converter, visible columns and their widths). The desktop program keeps it in
// QSettings; the command line and the tests in memory.
#pragma once

#include <map>
#include <optional>

#include "XPropertyValue.h"
#include "XStr.h"

class VMCUserDefaults {
public:
    virtual ~VMCUserDefaults() = default;
    // Nothing when the key is not set.
    virtual std::optional<XPropertyValue> value(const XStr& key) const = 0;
    virtual void setValue(const XStr& key, const XPropertyValue& value) = 0;
    virtual void remove(const XStr& key) = 0;

    XStr stringValue(const XStr& key) const {
        const std::optional<XPropertyValue> v = value(key);
        return v ? v->stringValue() : XStr();
    }
    // The strings of a list value; nothing when the key holds no list.
    std::optional<XStrList> stringList(const XStr& key) const;
};

class VMCMemoryUserDefaults : public VMCUserDefaults {
public:
    std::optional<XPropertyValue> value(const XStr& key) const override;
    void setValue(const XStr& key, const XPropertyValue& value) override { mValues[key] = value; }
    void remove(const XStr& key) override { mValues.erase(key); }
    const std::map<XStr, XPropertyValue>& values() const { return mValues; }

private:
    std::map<XStr, XPropertyValue> mValues;
};
