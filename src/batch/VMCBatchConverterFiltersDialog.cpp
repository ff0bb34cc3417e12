#include "VMCBatchConverterFiltersDialog.h"

#include <algorithm>

#include "VMCBatchConverterProfile.h"
#include "XMainThread.h"
#include "clFolderLister.h"

namespace {

// Hands the values to the dialog on the main thread, while it is there.
class FieldsReceiver : public VMCMetaFieldCacheCallback {
public:
    explicit FieldsReceiver(std::weak_ptr<VMCBatchConverterFiltersDialog> dialog)
        : mDialog(std::move(dialog)) {}
    void deliverMetaFieldCacheResults(const VMCMetaFields& results) override {
        XMainThread::post([dialog = mDialog, results] {
            if (const auto d = dialog.lock()) {
                d->setFieldValues(results);
            }
        });
    }

private:
    std::weak_ptr<VMCBatchConverterFiltersDialog> mDialog;
};

}  // namespace

const XStrList& VMCBatchConverterFiltersDialog::dateChoices() {
    static const XStrList kChoices = {kDateNotChecked,
                                      "1 Day (24 hours)",
                                      "2 Days",
                                      "3 Days",
                                      "4 Days",
                                      "5 Days",
                                      "6 Days",
                                      "7 Days (1 week)",
                                      "14 Days (2 weeks)",
                                      "21 Days (3 weeks)",
                                      "30 Days (1 month)",
                                      "60 Days (2 months)",
                                      "91 Days (1/4 year)",
                                      "182 Days (1/2 year)",
                                      "273 Days (3/4 year)",
                                      "365 Days (1 year)"};
    return kChoices;
}

XStr VMCBatchConverterFiltersDialog::dateTextFor(int64_t days) {
    for (const XStr& choice : dateChoices()) {
        if (VMCFileFilter::daysOf(choice) == days) {
            return choice;
        }
    }
    return XStr::format("%lld days", static_cast<long long>(days));
}

XStrList VMCBatchConverterFiltersDialog::infoFields() {
    return VMCBatchConverterProfile::infoFieldNames();
}

VMCBatchConverterFiltersDialog::VMCBatchConverterFiltersDialog(const VMCFileFilter& current,
                                                               const VAMediaFormatFilter& formats,
                                                               Done done)
    : mFilter(current), mDone(std::move(done)) {
    const VMCFileFilter::ValueSet* types = mFilter.filterForMeta(VMCFileFilter::kFileTypes);
    for (const VAMediaFormatFilterEntry& entry : formats.formats()) {
        VMCFiltersEntry row;
        row.key = entry.extension.upperASCII();
        row.name = entry.name + "  (" + entry.extension + ")";
        row.checked = types == nullptr || !types->contains(row.key);
        mFileTypes.push_back(row);
    }
    int64_t days = 0;
    if (const VMCFileFilter::ValueSet* date = mFilter.filterForMeta(VMCFileFilter::kDate)) {
        for (const XStr& value : *date) {
            if ((days = VMCFileFilter::daysOf(value)) != 0) {
                break;
            }
        }
    }
    mDate = dateTextFor(days);
}

void VMCBatchConverterFiltersDialog::loadFieldValues(VMCMetaFieldCache& cache,
                                                     const XStrList& folders) {
    if (folders.empty()) {
        setFieldValues({});
        return;
    }
    auto receiver = std::make_shared<FieldsReceiver>(weak_from_this());
    if (std::optional<VMCMetaFields> now = cache.fieldsForFolders(folders, receiver)) {
        setFieldValues(*now);
    }
}

void VMCBatchConverterFiltersDialog::setFieldValues(const VMCMetaFields& values) {
    for (const XStr& field : infoFields()) {
        const VMCFileFilter::ValueSet* excluded = mFilter.filterForMeta(field);
        std::vector<VMCFiltersEntry>& rows = mRows[field];
        rows.clear();
        if (const auto it = values.find(field); it != values.end()) {
            for (const XStr& value : it->second) {
                rows.push_back({value, value, excluded == nullptr || !excluded->contains(value)});
            }
        }
        std::sort(rows.begin(), rows.end(), [](const VMCFiltersEntry& a, const VMCFiltersEntry& b) {
            return clFolderLister::compareNames(a.name, b.name) < 0;
        });
    }
    mValuesLoaded = true;
    if (const auto view = mView.lock()) {
        view->fieldValuesChanged();
    }
}

std::vector<VMCFiltersEntry>* VMCBatchConverterFiltersDialog::rowsOf(const XStr& field) {
    if (field == VMCFileFilter::kFileTypes) {
        return &mFileTypes;
    }
    const auto it = mRows.find(field);
    return it == mRows.end() ? nullptr : &it->second;
}

void VMCBatchConverterFiltersDialog::setChecked(const XStr& field, const XStr& key, bool checked) {
    if (std::vector<VMCFiltersEntry>* rows = rowsOf(field)) {
        for (VMCFiltersEntry& row : *rows) {
            if (row.key == key) {
                row.checked = checked;
            }
        }
    }
}

void VMCBatchConverterFiltersDialog::onIncludeAll(const XStr& field) {
    if (std::vector<VMCFiltersEntry>* rows = rowsOf(field)) {
        for (VMCFiltersEntry& row : *rows) {
            row.checked = true;
        }
    }
}

void VMCBatchConverterFiltersDialog::onExcludeAll(const XStr& field) {
    if (std::vector<VMCFiltersEntry>* rows = rowsOf(field)) {
        for (VMCFiltersEntry& row : *rows) {
            row.checked = false;
        }
    }
}

VMCFileFilter VMCBatchConverterFiltersDialog::editedFilter() const {
    VMCFileFilter filter = mFilter;
    const auto unchecked = [](const std::vector<VMCFiltersEntry>& rows) {
        VMCFileFilter::ValueSet keys;
        for (const VMCFiltersEntry& row : rows) {
            if (!row.checked) {
                keys.insert(row.key);
            }
        }
        return keys;
    };
    filter.setFilterMeta(VMCFileFilter::kFileTypes, unchecked(mFileTypes));
    filter.setFilterMeta(VMCFileFilter::kDate, VMCFileFilter::ValueSet{mDate});
    // A field whose values have not arrived keeps what it excluded.
    if (mValuesLoaded) {
        for (const XStr& field : infoFields()) {
            const auto it = mRows.find(field);
            filter.setFilterMeta(
                field, it == mRows.end() ? VMCFileFilter::ValueSet() : unchecked(it->second));
        }
    }
    return filter;
}

void VMCBatchConverterFiltersDialog::ok() {
    if (Done done = std::move(mDone)) {
        done(editedFilter());
    }
}

void VMCBatchConverterFiltersDialog::cancel() {
    if (Done done = std::move(mDone)) {
        done(std::nullopt);
    }
}
