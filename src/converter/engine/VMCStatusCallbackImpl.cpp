#include "VMCStatusCallbackImpl.h"

#include "XMainThread.h"

VMCStatusCallbackImpl::VMCStatusCallbackImpl(std::shared_ptr<VMCStatusHost> host, uint32_t arg)
    : mHost(std::move(host)), mArg(arg) {}

void VMCStatusCallbackImpl::onLengthMS(int64_t lengthMS) {
    XMainThread::post([host = mHost, arg = mArg, lengthMS] { host->onLengthMS(lengthMS, arg); });
}

void VMCStatusCallbackImpl::onPercentDone(int32_t percent) {
    XMainThread::post(
        [host = mHost, arg = mArg, percent] { host->onStatusPercentDone(percent, arg); });
}

void VMCStatusCallbackImpl::onFPS(double fps) {
    XMainThread::post([host = mHost, arg = mArg, fps] { host->onFPS(fps, arg); });
}

void VMCStatusCallbackImpl::onInfoLine(const XStr& line) {
    XMainThread::post([host = mHost, arg = mArg, line] { host->onStatusInfoLine(line, arg); });
}

void VMCStatusCallbackImpl::onErrorLine(const XStr& line) {
    XMainThread::post([host = mHost, arg = mArg, line] { host->onStatusErrorLine(line, arg); });
}
