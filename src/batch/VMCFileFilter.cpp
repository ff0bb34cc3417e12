#include "VMCFileFilter.h"

#include "XCase.h"
#include "XPath.h"

void VMCFileFilter::setFilterMeta(const XStr& field, const ValueSet& values) {
    if (values.empty()) {
        mFilters.erase(field);
    } else {
        mFilters[field] = values;
    }
}

void VMCFileFilter::setFilterMeta(const XStr& field, const std::optional<XStrList>& values) {
    if (!values) {
        mFilters.erase(field);
        return;
    }
    setFilterMeta(field, ValueSet(values->begin(), values->end()));
}

const VMCFileFilter::ValueSet* VMCFileFilter::filterForMeta(const XStr& field) const {
    const auto it = mFilters.find(field);
    return it == mFilters.end() ? nullptr : &it->second;
}

bool VMCFileFilter::metaActive() const {
    for (const auto& [field, values] : mFilters) {
        if (field != kFileTypes && !values.empty()) {
            return true;
        }
    }
    return false;
}

bool VMCFileFilter::testJustURL(const XStr& path) const {
    const ValueSet* types = filterForMeta(kFileTypes);
    if (types == nullptr) {
        return true;
    }
    const XStr ext = XPath::extension(path);
    if (ext.empty()) {
        return false;
    }
    return !types->contains(ext.upperASCII());
}

int64_t VMCFileFilter::daysOf(const XStr& value) {
    const XStr text = value.trimmed();
    if (text.empty() || !XCase::isDigit(text[0])) {
        return 0;
    }
    return text.toInt64();
}

XStrList VMCFileFilter::valuesOf(const VAMediaFileInfo& info, const XStr& field) {
    XStrList values = info.MediaProps().getTagStrings(field);
    if (values.empty()) {
        values = info.IDTags().getTagStrings(field);
    }
    if (values.empty() && field.lowerASCII() == "album artist") {
        values = info.IDTags().getTagStrings("album_artist");
        if (values.empty()) {
            values = info.IDTags().getTagStrings("artist");
        }
    }
    return values;
}

bool VMCFileFilter::recentEnough(const ValueSet& dateValues, uint64_t modified, uint64_t now) {
    int64_t days = 0;
    for (const XStr& value : dateValues) {
        if ((days = daysOf(value)) != 0) {
            break;
        }
    }
    const uint64_t perDay = kSecondsPerDay * VAMediaFileInfo::fileTime1Second;
    // A period reaching back before the calendar starts lets every file through (a profile
    // file may hold any number).
    if (days <= 0 || static_cast<uint64_t>(days) >= now / perDay) {
        return true;
    }
    return modified >= now - static_cast<uint64_t>(days) * perDay;
}

bool VMCFileFilter::testURL(const XStr& path, const VAMediaFileInfo* info,
                            uint64_t modifiedFileTime, uint64_t nowFileTime) const {
    if (!testJustURL(path)) {
        return false;
    }
    const uint64_t now = nowFileTime != 0 ? nowFileTime : VAMediaFileInfo::fileTimeNow();
    const uint64_t modified =
        modifiedFileTime != 0 ? modifiedFileTime : (info != nullptr ? info->lastModified() : 0);
    for (const auto& [field, excluded] : mFilters) {
        if (field == kFileTypes || excluded.empty()) {
            continue;
        }
        if (field == kDate) {
            if (!recentEnough(excluded, modified, now)) {
                return false;
            }
            continue;
        }
        if (info == nullptr) {
            continue;
        }
        for (const XStr& value : valuesOf(*info, field)) {
            if (excluded.contains(value)) {
                return false;
            }
        }
    }
    for (const auto& [field, wanted] : mOnly) {
        if (field == kFileTypes) {
            if (!wanted.contains(XPath::extension(path).upperASCII())) {
                return false;
            }
            continue;
        }
        if (field == kDate) {
            if (!recentEnough(wanted, modified, now)) {
                return false;
            }
            continue;
        }
        bool listed = false;
        if (info != nullptr) {
            for (const XStr& value : valuesOf(*info, field)) {
                listed = listed || wanted.contains(value);
            }
        }
        if (!listed) {
            return false;
        }
    }
    return true;
}

void VMCFileFilter::setOnly(const XStr& field, const ValueSet& values) {
    if (values.empty()) {
        mOnly.erase(field);
    } else {
        mOnly[field] = values;
    }
}

bool VMCFileFilter::needsProbe() const {
    for (const auto* fields : {&mFilters, &mOnly}) {
        for (const auto& [field, values] : *fields) {
            if (field != kFileTypes && field != kDate && !values.empty()) {
                return true;
            }
        }
    }
    return false;
}
