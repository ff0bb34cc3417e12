// The logic of the batch converter's filter dialog: it works on a copy of the current
// property filter, shows one row per format and per value found in the selected folders
// (checked rows are included), and returns the edited filter on OK, nothing on Cancel.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "VAMediaFormatFilter.h"
#include "VMCFileFilter.h"
#include "VMCFiltersEntry.h"
#include "VMCMetaFieldCache.h"

class VMCBatchConverterFiltersDialogView {
public:
    virtual ~VMCBatchConverterFiltersDialogView() = default;
    // The values of the fields arrived; the rows of every field may have changed.
    virtual void fieldValuesChanged() = 0;
};

class VMCBatchConverterFiltersDialog
    : public std::enable_shared_from_this<VMCBatchConverterFiltersDialog> {
public:
    // returnFromFiltersDialog:status: the filter on OK, nothing on Cancel.
    using Done = std::function<void(std::optional<VMCFileFilter>)>;

    static constexpr const char* kDateNotChecked = "[date not checked, all files included]";
    static const XStrList& dateChoices();
    // The choice whose number of days is that, else "%i days"; the "not checked" text for 0.
    static XStr dateTextFor(int64_t days);

    VMCBatchConverterFiltersDialog(const VMCFileFilter& current, const VAMediaFormatFilter& formats,
                                   Done done);

    // Asks the cache for the values of the info fields in the selected folders; they come
    // now or later (then the view hears).
    void loadFieldValues(VMCMetaFieldCache& cache, const XStrList& folders);
    // The values of the info fields over the selected folders.
    void setFieldValues(const VMCMetaFields& values);
    void setView(std::weak_ptr<VMCBatchConverterFiltersDialogView> view) {
        mView = std::move(view);
    }

    std::vector<VMCFiltersEntry>& fileTypeRows() { return mFileTypes; }
    const XStr& dateChoice() const { return mDate; }
    void setDateChoice(const XStr& text) { mDate = text; }
    // The info fields, in their order.
    static XStrList infoFields();
    // Empty until the values arrived.
    std::vector<VMCFiltersEntry>& rows(const XStr& field) { return mRows[field]; }
    bool valuesLoaded() const { return mValuesLoaded; }
    void setChecked(const XStr& field, const XStr& key, bool checked);
    void onIncludeAll(const XStr& field);
    void onExcludeAll(const XStr& field);

    // The filter the rows give.
    VMCFileFilter editedFilter() const;
    void ok();
    void cancel();

private:
    std::vector<VMCFiltersEntry>* rowsOf(const XStr& field);

    VMCFileFilter mFilter;
    std::vector<VMCFiltersEntry> mFileTypes;
    XStr mDate;
    std::map<XStr, std::vector<VMCFiltersEntry>> mRows;
    bool mValuesLoaded = false;
    Done mDone;
    std::weak_ptr<VMCBatchConverterFiltersDialogView> mView;
};
