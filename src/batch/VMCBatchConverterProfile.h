// A named batch profile: a property filter and a folder-tree selection, kept as one JSON
// file in "BatchProfiles" of the application data folder and written atomically.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>

#include "VMCFileFilter.h"
#include "XPropertyValue.h"
#include "XStr.h"

class VMCBatchConverterProfile {
public:
    static constexpr const char* kFolderName = "BatchProfiles";
    static constexpr const char* kFileExtension = ".txt";

    static XStrList filterNames();
    static XStrList infoFieldNames();
    static XStrList metaFieldNames() { return {}; }

    // The profile folder, made (mode 0700) when it is missing.
    static XStr profileFolder();
    // The file of a profile of that name; empty when the name can stand for no file.
    static XStr profilePath(const XStr& name);
    // The names of the profile files, sorted.
    static XStrList listProfileNames();
    // Not saved.
    static std::shared_ptr<VMCBatchConverterProfile> newProfileNamed(const XStr& name);
    // Empty when its file is missing or unreadable.
    static std::shared_ptr<VMCBatchConverterProfile> profileByName(const XStr& name);

    const XStr& name() const { return mName; }
    const std::map<XStr, VMCFileFilter::ValueSet>& filtersData() const { return mFiltersData; }
    const std::optional<XPropertyDictionary>& selection() const { return mSelection; }
    void setSelection(std::optional<XPropertyDictionary> selection) {
        mSelection = std::move(selection);
    }

    void load(const XStr& name);
    // Only a named profile is written; false when nothing was written.
    bool save() const;
    bool saveAs(const XStr& name);
    bool saveImpl(const XStr& name) const;
    // The same filters and selection; the converter's settings of the batch profile are
    // cloned to the new name too.
    std::shared_ptr<VMCBatchConverterProfile> copyWithName(const XStr& name) const;
    // Deletes the file and forgets the name.
    bool deleteProfile();

    void setFilters(const VMCFileFilter& filter);
    void getFilters(VMCFileFilter& filter) const;
    VMCFileFilter filter() const {
        VMCFileFilter f;
        getFilters(f);
        return f;
    }

    XPropertyValue grabForJSON() const;
    void applyFromJSON(const XPropertyValue& json);
    XPropertyValue saveFilters() const;
    void loadFilters(const XPropertyValue& filters);

private:
    XStr mName;
    std::map<XStr, VMCFileFilter::ValueSet> mFiltersData;
    std::optional<XPropertyDictionary> mSelection;
};
