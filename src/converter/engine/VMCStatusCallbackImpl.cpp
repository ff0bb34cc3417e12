#include "VMCStatusCallbackImpl.h"

#include "XMainThread.h"

VMCStatusCallbackImpl::VMCStatusCallbackImpl(std::weak_ptr<VMCStatusHost> host, uint32_t arg)
    : mHost(std::move(host)), mArg(arg) {}

template <typename Report>
void VMCStatusCallbackImpl::post(Report report) {
    XMainThread::post([host = mHost, arg = mArg, report = std::move(report)] {
        if (const std::shared_ptr<VMCStatusHost> strong = host.lock()) {
            report(*strong, arg);
        }
    });
}

void VMCStatusCallbackImpl::onLengthMS(int64_t lengthMS) {
    post([lengthMS](VMCStatusHost& host, uint32_t arg) { host.onLengthMS(lengthMS, arg); });
}

void VMCStatusCallbackImpl::onPercentDone(int32_t percent) {
    post([percent](VMCStatusHost& host, uint32_t arg) { host.onStatusPercentDone(percent, arg); });
}

void VMCStatusCallbackImpl::onFPS(double fps) {
    post([fps](VMCStatusHost& host, uint32_t arg) { host.onFPS(fps, arg); });
}

void VMCStatusCallbackImpl::onInfoLine(const XStr& line) {
    post([line](VMCStatusHost& host, uint32_t arg) { host.onStatusInfoLine(line, arg); });
}

void VMCStatusCallbackImpl::onErrorLine(const XStr& line) {
    post([line](VMCStatusHost& host, uint32_t arg) { host.onStatusErrorLine(line, arg); });
}
