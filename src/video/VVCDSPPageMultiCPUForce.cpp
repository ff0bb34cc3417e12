#include "VVCDSPPageMultiCPUForce.h"

#include <algorithm>
#include <cmath>

#include "VAElemValueList.h"
#include "VMCBatch.h"

namespace {

constexpr double kMaxCount = 256;

uint32_t countOf(int64_t value) {
    return static_cast<uint32_t>(std::clamp<int64_t>(value, 0, UINT32_MAX));
}

}  // namespace

std::vector<VVCControl> VVCDSPPageMultiCPUForce::pageView() const {
    VVCControl threads = VVCControl::numberField("threads", "Threads per encoder",
                                                 mLimitPerEncoderThreads, 1, kMaxCount, 0);
    threads.enabled = mLimitPerEncoder;
    return {VVCControl::numberField("encoders", "Parallel encoders", mNumEncoders, 1, kMaxCount, 0),
            VVCControl::checkBox("limit-threads", "Limit the threads of each encoder",
                                 mLimitPerEncoder),
            threads};
}

XStr VVCDSPPageMultiCPUForce::dspArgs() const {
    VAElemValueList list;
    if (mLimitPerEncoder) {
        list.addElem("threads", static_cast<int64_t>(mLimitPerEncoderThreads));
    }
    list.addElem(VMCBatch::kThreadCountElement, static_cast<int64_t>(mNumEncoders));
    return list.mergeToString_alternate();
}

void VVCDSPPageMultiCPUForce::setDspArgs(const XStr& args) {
    const VAElemValueList list(args);
    mNumEncoders = countOf(list.findIntValue(VMCBatch::kThreadCountElement, 1));
    mLimitPerEncoder = list.containsElem("threads");
    mLimitPerEncoderThreads = mLimitPerEncoder ? countOf(list.findIntValue("threads")) : 1;
}

void VVCDSPPageMultiCPUForce::applyControl(const VVCControl& control,
                                           const VVCControlValue& value) {
    const auto n = static_cast<uint32_t>(std::lround(value.number));
    if (control.id == "encoders") {
        mNumEncoders = n;
    } else if (control.id == "limit-threads") {
        mLimitPerEncoder = value.integer != 0;
    } else if (control.id == "threads") {
        mLimitPerEncoderThreads = n;
    }
}
