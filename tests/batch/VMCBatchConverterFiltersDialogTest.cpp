// The filter dialog's logic: its rows from the current filter, and the filter it returns.
#include "VMCBatchConverterFiltersDialog.h"

#include <gtest/gtest.h>

namespace {

using Set = VMCFileFilter::ValueSet;

std::unique_ptr<VAMediaFormatFilter> formats() {
    return VAMediaFormatFilter::fromLists({"MPEG-4 Video\n.mp4;.m4v\nMatroska Video\n.mkv\n"});
}

struct Result {
    int calls = 0;
    std::optional<VMCFileFilter> filter;
};

std::shared_ptr<VMCBatchConverterFiltersDialog> dialogOver(const VMCFileFilter& current,
                                                           Result& result) {
    return std::make_shared<VMCBatchConverterFiltersDialog>(
        current, *formats(), [&result](std::optional<VMCFileFilter> f) {
            ++result.calls;
            result.filter = std::move(f);
        });
}

TEST(VMCBatchConverterFiltersDialog, RowsShowWhatTheCurrentFilterIncludes) {
    VMCFileFilter current;
    current.setFilterMeta("File Types", Set{".MKV"});
    current.setFilterMeta("Date", Set{"14 Days (2 weeks)"});
    current.setFilterMeta("Resolution", Set{"640 x 360", "gone x gone"});
    Result result;
    auto dialog = dialogOver(current, result);

    const auto& types = dialog->fileTypeRows();
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[0].key, ".MP4");
    EXPECT_EQ(types[0].name, "MPEG-4 Video  (.mp4)");
    EXPECT_TRUE(types[0].checked);
    EXPECT_EQ(types[2].key, ".MKV");
    EXPECT_FALSE(types[2].checked);
    EXPECT_EQ(dialog->dateChoice(), "14 Days (2 weeks)");

    dialog->setFieldValues({{"Resolution", {"1920 x 1080", "640 x 360", "1280 x 720"}},
                            {"Channels", {"2", "[no Channels]"}}});
    const auto& rows = dialog->rows("Resolution");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "640 x 360") << "sorted by text, numbers by value";
    EXPECT_FALSE(rows[0].checked);
    EXPECT_EQ(rows[1].name, "1280 x 720");
    EXPECT_TRUE(rows[1].checked);
    EXPECT_EQ(rows[2].name, "1920 x 1080");
}

TEST(VMCBatchConverterFiltersDialog, OKReturnsTheRowsAsAFilterAndCancelNothing) {
    VMCFileFilter current;
    current.setFilterMeta("Resolution", Set{"640 x 360", "gone x gone"});
    Result result;
    auto dialog = dialogOver(current, result);
    dialog->setChecked("File Types", ".M4V", false);
    dialog->setFieldValues(
        {{"Resolution", {"640 x 360", "1920 x 1080"}}, {"Frame Rate", {"25", "30"}}});
    dialog->onExcludeAll("Frame Rate");
    dialog->setChecked("Frame Rate", "30", true);
    dialog->onIncludeAll("Resolution");
    dialog->setChecked("Resolution", "1920 x 1080", false);
    dialog->ok();
    ASSERT_EQ(result.calls, 1);
    ASSERT_TRUE(result.filter.has_value());
    const VMCFileFilter& f = *result.filter;
    EXPECT_EQ(*f.filterForMeta("File Types"), Set{".M4V"});
    EXPECT_EQ(*f.filterForMeta("Date"), Set{"[date not checked, all files included]"})
        << "the date is always set after OK";
    EXPECT_EQ(*f.filterForMeta("Resolution"), Set{"1920 x 1080"})
        << "a value no longer found is no longer excluded";
    EXPECT_EQ(*f.filterForMeta("Frame Rate"), Set{"25"});
    EXPECT_EQ(f.filterForMeta("Channels"), nullptr);
    dialog->ok();
    EXPECT_EQ(result.calls, 1) << "answered once";

    Result cancelled;
    auto other = dialogOver(current, cancelled);
    other->cancel();
    EXPECT_EQ(cancelled.calls, 1);
    EXPECT_FALSE(cancelled.filter.has_value());
}

TEST(VMCBatchConverterFiltersDialog, ValuesNotYetFoundKeepTheirExclusions) {
    VMCFileFilter current;
    current.setFilterMeta("Resolution", Set{"640 x 360"});
    Result result;
    auto dialog = dialogOver(current, result);
    dialog->setDateChoice("7 Days (1 week)");
    dialog->ok();
    EXPECT_EQ(*result.filter->filterForMeta("Resolution"), Set{"640 x 360"});
    EXPECT_EQ(*result.filter->filterForMeta("Date"), Set{"7 Days (1 week)"});
}

TEST(VMCBatchConverterFiltersDialog, DateTexts) {
    EXPECT_EQ(VMCBatchConverterFiltersDialog::dateChoices().size(), 16u);
    EXPECT_EQ(VMCBatchConverterFiltersDialog::dateTextFor(0),
              "[date not checked, all files included]");
    EXPECT_EQ(VMCBatchConverterFiltersDialog::dateTextFor(1), "1 Day (24 hours)");
    EXPECT_EQ(VMCBatchConverterFiltersDialog::dateTextFor(91), "91 Days (1/4 year)");
    EXPECT_EQ(VMCBatchConverterFiltersDialog::dateTextFor(10), "10 days");
    VMCFileFilter odd;
    odd.setFilterMeta("Date", Set{"10 days"});
    Result result;
    EXPECT_EQ(dialogOver(odd, result)->dateChoice(), "10 days");
}

}  // namespace
