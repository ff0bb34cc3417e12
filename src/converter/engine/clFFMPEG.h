// The run object of one conversion job; lives on the stack of VMCProcess::convertWithArg.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "VMCFFmpegCommand.h"
#include "VMCProcessArg.h"
#include "XFile.h"
#include "XTempFile.h"
#include "XWorkerProcess.h"
#include "pipeReadSync_t.h"

class clFFMPEG {
public:
    explicit clFFMPEG(VMCProcessArg arg);
    ~clFFMPEG();
    clFFMPEG(const clFFMPEG&) = delete;
    clFFMPEG& operator=(const clFFMPEG&) = delete;

    void run();

    // The debug log is on when "VANTARO_DEBUG" is set; its file is in the documents folder.
    static bool debugLogWanted();

private:
    bool start(const VMCFFmpegCommand& command);
    void progressLoop();
    void readProgress();
    void parseProgressLine(const std::string& line);
    void finish(const VMCFFmpegCommand& command);
    void reportAbnormalExit();
    void placeTempOutput(const VMCFFmpegCommand& command);
    void openDebugLog();
    void waitForReaders();

    XWorkerProcess mProcess;
    bool mStopped = false;
    int64_t mLengthMS = -1;
    VMCProcessArg mProcessArg;
    XFile mDebugLog;
    std::shared_ptr<pipeReadSync_t> mSync;
    XTempFile mProgressTemp;
    XTempFile mListTemp;
    XFile mProgress;
    int64_t mProgressRead = 0;
    std::string mProgressTail;
};
