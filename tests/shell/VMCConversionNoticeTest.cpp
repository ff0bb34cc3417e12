#include "VMCConversionNotice.h"

#include <gtest/gtest.h>

namespace {

TEST(VMCConversionNotice, SaysHowManyFilesConvertedAndFailed) {
    struct Row {
        uint32_t converted;
        uint32_t failed;
        const char* summary;
        const char* body;
    };
    for (const Row& row : {
             Row{1, 0, "Conversion finished", "1 file converted"},
             Row{2, 0, "Conversion finished", "2 files converted"},
             Row{1, 1, "Conversion finished with errors", "1 file converted, 1 failed"},
             Row{0, 3, "Conversion finished with errors", "No files converted, 3 failed"},
             Row{0, 0, "Conversion finished", "No files converted"},
         }) {
        EXPECT_EQ(VMCConversionNotice::forResult(row.converted, row.failed),
                  (VMCConversionNotice{row.summary, row.body}))
            << row.converted << " " << row.failed;
    }
}

}  // namespace
