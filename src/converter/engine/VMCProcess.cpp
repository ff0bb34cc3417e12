#include "VMCProcess.h"

#include "clFFMPEG.h"

namespace {

// For a caller that wants no reports at all.
class SilentCallback : public VMCStatusCallback {
public:
    void onLengthMS(int64_t) override {}
    void onPercentDone(int32_t) override {}
    void onFPS(double) override {}
    void onInfoLine(const XStr&) override {}
    void onErrorLine(const XStr&) override {}
};

}  // namespace

void VMCProcess::convertWithArg(const VMCProcessArg& arg) {
    VMCProcessArg own = arg;
    if (!own.callback) {
        own.callback = std::make_shared<SilentCallback>();
    }
    clFFMPEG run(std::move(own));
    run.run();
}
