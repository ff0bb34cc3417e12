// The run object of one conversion job; lives on the stack of VMCProcess::convertWithArg.
// One poll loop on the job's thread serves the whole run: both of FFmpeg's pipes, its end,
// the progress file and the conversion's stop request.
#pragma once

#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "VMCFFmpegCommand.h"
#include "VMCProcessArg.h"
#include "XFile.h"
#include "XOutputFile.h"
#include "XTempFile.h"
#include "XWorkerProcess.h"
#include "clLineSplitter.h"
#include "clSignal.h"

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
    // One of FFmpeg's output pipes and what becomes of its lines.
    struct Pipe {
        int fd = -1;
        std::unique_ptr<clLineSplitter> lines;
    };

    bool checkInputs();
    bool prepareOutput();
    void prepareProgressFile();
    bool start(const VMCFFmpegCommand& command);
    void pumpUntilExit();
    // Reads what the pipe holds now; false at its end.
    bool readPipe(Pipe& pipe);
    void closePipe(Pipe& pipe);
    void stopChild();
    // Takes the probed length once the probe has answered; waits for it only when asked.
    void takeProbedLength(bool wait);
    void readProgress();
    void parseProgressLine(const std::string& line);
    // FFmpeg's position in microseconds as a percentage of the length, once it is known.
    void reportOutTime(int64_t us);
    void onErrorOutput(const XStr& line);
    void onInfoOutput(const XStr& line);
    void appendToDebugLog(const XStr& line);
    void finish();
    void reportAbnormalExit();
    void placeOutput();
    void error(const XStr& line);
    void openDebugLog();

    XWorkerProcess mProcess;
    bool mHadError = false;
    bool mStopped = false;
    bool mSuspended = false;
    int64_t mLengthMS = -1;
    VMCProcessArg mProcessArg;
    // The source's length as ffprobe reports it; it only scales the percentages.
    // Declared first: the probe uses it until mProbed is gone.
    std::unique_ptr<clSignal> mProbeStop = clSignal::create();
    std::future<int64_t> mProbed;
    VMCFFmpegCommand mCommand;
    XFile mDebugLog;
    Pipe mErrorPipe;
    Pipe mOutputPipe;
    XTempFile mProgressTemp;
    XTempFile mListTemp;
    XFile mProgress;
    std::optional<int64_t> mPendingOutTimeUs;
    int64_t mProgressRead = 0;
    std::string mProgressTail;
    XOutputFile mOutput;
};
