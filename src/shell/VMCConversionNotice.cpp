#include "VMCConversionNotice.h"

VMCConversionNotice VMCConversionNotice::forResult(uint32_t converted, uint32_t failed) {
    VMCConversionNotice notice;
    notice.summary = failed == 0 ? "Conversion finished" : "Conversion finished with errors";
    if (converted == 0) {
        notice.body = "No files converted";
    } else if (converted == 1) {
        notice.body = "1 file converted";
    } else {
        notice.body = XStr::format("%u files converted", converted);
    }
    if (failed > 0) {
        notice.body += XStr::format(", %u failed", failed);
    }
    return notice;
}
