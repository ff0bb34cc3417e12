// The callback of one job: every report is carried to the main thread, in order, and
// handed to the host with the job's index, unless the host is gone by then.
#pragma once

#include <cstdint>
#include <memory>

#include "VMCStatusCallback.h"
#include "VMCStatusHost.h"

class VMCStatusCallbackImpl : public VMCStatusCallback {
public:
    VMCStatusCallbackImpl(std::weak_ptr<VMCStatusHost> host, uint32_t arg);

    void onLengthMS(int64_t lengthMS) override;
    void onPercentDone(int32_t percent) override;
    void onFPS(double fps) override;
    void onInfoLine(const XStr& line) override;
    void onErrorLine(const XStr& line) override;

private:
    // A job holds no strong reference: its host's owner decides when the host goes.
    template <typename Report>
    void post(Report report);

    std::weak_ptr<VMCStatusHost> mHost;
    uint32_t mArg;
};
