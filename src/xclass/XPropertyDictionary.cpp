#include "XPropertyDictionary.h"

#include "XPropertyValue.h"

XPropertyDictionary::XPropertyDictionary() = default;
XPropertyDictionary::~XPropertyDictionary() = default;
XPropertyDictionary::XPropertyDictionary(const XPropertyDictionary& other) = default;
XPropertyDictionary::XPropertyDictionary(XPropertyDictionary&& other) noexcept = default;
XPropertyDictionary& XPropertyDictionary::operator=(const XPropertyDictionary& other) = default;
XPropertyDictionary& XPropertyDictionary::operator=(XPropertyDictionary&& other) noexcept = default;

std::size_t XPropertyDictionary::size() const {
    return mEntries.size();
}

bool XPropertyDictionary::empty() const {
    return mEntries.empty();
}

XPropertyDictionary::const_iterator XPropertyDictionary::begin() const {
    return mEntries.begin();
}

XPropertyDictionary::const_iterator XPropertyDictionary::end() const {
    return mEntries.end();
}

const XPropertyDictionary::Entry& XPropertyDictionary::operator[](std::size_t i) const {
    return mEntries[i];
}

void XPropertyDictionary::set(const XStr& key, XPropertyValue value) {
    const auto found = mIndex.find(key);
    if (found != mIndex.end()) {
        mEntries[found->second].second = std::move(value);
        return;
    }
    mIndex.emplace(key, mEntries.size());
    mEntries.emplace_back(key, std::move(value));
}

const XPropertyValue* XPropertyDictionary::find(const XStr& key) const {
    const auto found = mIndex.find(key);
    return found != mIndex.end() ? &mEntries[found->second].second : nullptr;
}

XPropertyValue* XPropertyDictionary::find(const XStr& key) {
    const auto found = mIndex.find(key);
    return found != mIndex.end() ? &mEntries[found->second].second : nullptr;
}

bool XPropertyDictionary::remove(const XStr& key) {
    const auto found = mIndex.find(key);
    if (found == mIndex.end()) {
        return false;
    }
    const std::size_t at = found->second;
    mIndex.erase(found);
    mEntries.erase(mEntries.begin() + static_cast<std::ptrdiff_t>(at));
    for (auto& [name, index] : mIndex) {
        if (index > at) {
            --index;
        }
    }
    return true;
}

bool operator==(const XPropertyDictionary& a, const XPropertyDictionary& b) {
    return a.mEntries == b.mEntries;
}
