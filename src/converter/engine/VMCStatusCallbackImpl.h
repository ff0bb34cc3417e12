// The callback of one job: every report is carried to the main thread, in order, and
// handed to the host with the job's index.
#pragma once

#include <memory>

#include "VMCStatusCallback.h"
#include "VMCStatusHost.h"

class VMCStatusCallbackImpl : public VMCStatusCallback {
public:
    VMCStatusCallbackImpl(std::shared_ptr<VMCStatusHost> host, uint32_t arg);

    void onLengthMS(int64_t lengthMS) override;
    void onPercentDone(int32_t percent) override;
    void onFPS(double fps) override;
    void onInfoLine(const XStr& line) override;
    void onErrorLine(const XStr& line) override;
    void onAction(const XStr&) {}

private:
    std::shared_ptr<VMCStatusHost> mHost;
    uint32_t mArg;
};
