#include "VMCBatchConverterProfile.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "JSON.h"
#include "VAAppDataFolder.h"
#include "VAProbeReport.h"
#include "VMCConfig.h"
#include "VMCPathCleanup.h"
#include "XFile.h"
#include "XPath.h"

XStrList VMCBatchConverterProfile::infoFieldNames() {
    return {VAProbeReport::kResolution,  VAProbeReport::kFrameRate, VAProbeReport::kAspectRatio,
            VAProbeReport::kPixelFormat, VAProbeReport::kProfile,   VAProbeReport::kColorSpace,
            VAProbeReport::kChannels,    VAProbeReport::kSampleRate};
}

XStrList VMCBatchConverterProfile::filterNames() {
    XStrList names = {VMCFileFilter::kFileTypes, VMCFileFilter::kDate};
    for (const XStr& n : metaFieldNames()) {
        names.push_back(n);
    }
    for (const XStr& n : infoFieldNames()) {
        names.push_back(n);
    }
    return names;
}

XStr VMCBatchConverterProfile::profileFolder() {
    const XStr folder = XPath::join(VAAppDataFolder::path(), XStr(kFolderName));
    VAAppDataFolder::ensureExists();
    // Already there, or the data folder is unusable: reading and writing will tell.
    mkdir(folder.utf8().c_str(), 0700);
    return folder;
}

XStr VMCBatchConverterProfile::profilePath(const XStr& name) {
    if (name.empty()) {
        return {};
    }
    VMCPathCleanup::Options options;
    options.keepSlash = false;
    options.base = profileFolder();
    const std::optional<XStr> path = VMCPathCleanup::cleanPath(name + kFileExtension, options);
    if (!path || !VMCPathCleanup::isSafeInside(options.base, *path)) {
        return {};
    }
    return *path;
}

XStrList VMCBatchConverterProfile::listProfileNames() {
    XStrList names;
    DIR* dir = opendir(profileFolder().utf8().c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* e = readdir(dir)) {
        const XStr file(e->d_name);
        if (file.startsWith(".") || XPath::extension(file) != kFileExtension) {
            continue;
        }
        names.push_back(XPath::baseName(file));
    }
    closedir(dir);
    std::sort(names.begin(), names.end(),
              [](const XStr& a, const XStr& b) { return a.compareNoCase(b) < 0; });
    return names;
}

std::shared_ptr<VMCBatchConverterProfile> VMCBatchConverterProfile::newProfileNamed(
    const XStr& name) {
    auto profile = std::make_shared<VMCBatchConverterProfile>();
    profile->mName = name;
    return profile;
}

std::shared_ptr<VMCBatchConverterProfile> VMCBatchConverterProfile::profileByName(
    const XStr& name) {
    auto profile = std::make_shared<VMCBatchConverterProfile>();
    profile->load(name);
    return profile;
}

void VMCBatchConverterProfile::load(const XStr& name) {
    mName = name;
    mFiltersData.clear();
    mSelection.reset();
    const XStr path = profilePath(name);
    if (path.empty()) {
        return;
    }
    if (std::optional<XPropertyValue> json = JSON::read(path)) {
        applyFromJSON(*json);
    }
}

bool VMCBatchConverterProfile::save() const {
    return !mName.empty() && saveImpl(mName);
}

bool VMCBatchConverterProfile::saveAs(const XStr& name) {
    mName = name;
    return saveImpl(name);
}

bool VMCBatchConverterProfile::saveImpl(const XStr& name) const {
    const XStr path = profilePath(name);
    if (path.empty()) {
        return false;
    }
    const XPropertyValue json = grabForJSON();
    return JSON::writeAtomically(&json, path);
}

std::shared_ptr<VMCBatchConverterProfile> VMCBatchConverterProfile::copyWithName(
    const XStr& name) const {
    auto copy = newProfileNamed(name);
    copy->applyFromJSON(grabForJSON());
    VMCConfig::cloneBatchConverterDataFromTo(
        mName.empty() ? std::nullopt : std::optional<XStr>(mName), name);
    return copy;
}

bool VMCBatchConverterProfile::deleteProfile() {
    const XStr path = profilePath(mName);
    mName.clear();
    return !path.empty() && XFile::Delete(path);
}

void VMCBatchConverterProfile::setFilters(const VMCFileFilter& filter) {
    mFiltersData.clear();
    for (const XStr& field : filterNames()) {
        if (const VMCFileFilter::ValueSet* values = filter.filterForMeta(field)) {
            mFiltersData[field] = *values;
        }
    }
}

void VMCBatchConverterProfile::getFilters(VMCFileFilter& filter) const {
    for (const XStr& field : filterNames()) {
        const auto it = mFiltersData.find(field);
        filter.setFilterMeta(field,
                             it == mFiltersData.end() ? VMCFileFilter::ValueSet() : it->second);
    }
}

XPropertyValue VMCBatchConverterProfile::saveFilters() const {
    XPropertyDictionary filters;
    for (const auto& [field, values] : mFiltersData) {
        XPropertyValue::List list;
        for (const XStr& value : values) {
            list.emplace_back(value);
        }
        filters.set(field, std::move(list));
    }
    return filters;
}

void VMCBatchConverterProfile::loadFilters(const XPropertyValue& filters) {
    mFiltersData.clear();
    if (!filters.isDictionary()) {
        return;
    }
    for (const auto& [field, value] : filters.dictionary()) {
        if (!value.isList()) {
            continue;
        }
        VMCFileFilter::ValueSet set;
        for (const XPropertyValue& element : value.list()) {
            if (element.isString()) {
                set.insert(element.stringValue());
            }
        }
        if (!set.empty()) {
            mFiltersData[field] = std::move(set);
        }
    }
}

XPropertyValue VMCBatchConverterProfile::grabForJSON() const {
    XPropertyDictionary json;
    json.set("filters", saveFilters());
    if (mSelection) {
        json.set("selection", *mSelection);
    }
    return json;
}

void VMCBatchConverterProfile::applyFromJSON(const XPropertyValue& json) {
    if (!json.isDictionary()) {
        return;
    }
    const XPropertyDictionary& object = json.dictionary();
    mFiltersData.clear();
    if (const XPropertyValue* filters = object.find("filters")) {
        loadFilters(*filters);
    }
    const XPropertyValue* selection = object.find("selection");
    if (selection != nullptr && selection->isDictionary()) {
        mSelection = selection->dictionary();
    } else {
        mSelection.reset();
    }
}
