// What an encoder page talks to: the argument record it edits, and what is known about
// the sources.
#pragma once

#include "VAEncoderArgs.h"
#include "XStr.h"

class VMCEncoderPageHost {
public:
    virtual ~VMCEncoderPageHost() = default;
    virtual XStr encoderArgs() const = 0;
    virtual void setEncoderArgs(const XStr& args) = 0;
    virtual VAEncoderArgs encoderArgsV2() const = 0;
    virtual void setEncoderArgsV2(const VAEncoderArgs& args) = 0;
    virtual bool encoderAllowSameFolder() const { return true; }
    // 0 when unknown.
    virtual int encoderKnownSampleRate() const { return 0; }
    virtual int encoderKnownNumChannels() const { return 0; }
};

// A host that just keeps the record: for the command line, profiles and tests.
class VMCEncoderArgsHost : public VMCEncoderPageHost {
public:
    VMCEncoderArgsHost() = default;
    explicit VMCEncoderArgsHost(VAEncoderArgs args) : mArgs(std::move(args)) {}

    XStr encoderArgs() const override { return mArgs.strArgs; }
    void setEncoderArgs(const XStr& args) override {
        mArgs.strArgs = args;
        ++mWrites;
    }
    VAEncoderArgs encoderArgsV2() const override { return mArgs; }
    void setEncoderArgsV2(const VAEncoderArgs& args) override {
        mArgs = args;
        ++mWrites;
    }
    // How often the page wrote to the host.
    int writes() const { return mWrites; }

private:
    VAEncoderArgs mArgs;
    int mWrites = 0;
};
