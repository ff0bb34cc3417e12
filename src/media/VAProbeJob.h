// One ffprobe child reporting on one file: started with an argument vector (never a
// shell, so no file name can run anything), its report read from the output pipe.
// Several jobs can be read side by side by waiting on their output descriptors.
#pragma once

#include <cstddef>
#include <string>

#include "XStr.h"
#include "XWorkerProcess.h"

class VAProbeJob {
public:
    enum class Outcome {
        // ffprobe could not be started (there is none, or no process could be made).
        kNotStarted,
        // It did not end by itself (crashed, was killed) or wrote more than a report can
        // be: the output says nothing about the file.
        kFailed,
        // It ended; the output is its report, or not JSON when the file is no media.
        kFinished,
        // ffprobe was not started on the file: it cannot be opened for reading or is no
        // regular file (a FIFO or device would keep ffprobe waiting or reading for ever).
        kRefused,
    };

    // Larger output is no report.
    static constexpr std::size_t kMaxReportBytes = 64u << 20;

    // The command: ffprobe -hide_banner -of json -show_format -show_streams <file>. A
    // relative file gets "./" in front so that ffprobe reads no option or protocol into it.
    static XWorkerProcess::ArgList arguments(const XStr& ffprobe, const XStr& mediaPath);

    // Why a file is not given to ffprobe: 0 when it may be, else the errno of opening it
    // for reading (EISDIR for a folder, EINVAL for a FIFO, device or socket).
    static int refusal(const XStr& mediaPath);

    // Standard error goes to /dev/null. False when the child could not start or the file
    // was refused (refused() then tells why).
    bool start(const XStr& ffprobe, const XStr& mediaPath);
    bool started() const { return mStarted; }
    int refused() const { return mRefused; }
    // The pipe to wait on while the job runs; -1 before start and after the end.
    int outputFD() const { return mProcess.OutputFD(); }
    // Reads what the pipe holds (blocking when it holds nothing yet). False once the
    // output has ended.
    bool readAvailable();
    // Reads to the end, waits for the child and answers how it went. When stopFD (a
    // descriptor that becomes readable to ask for a stop) turns readable first, the child
    // is killed and the outcome is kFailed.
    Outcome finish(int stopFD = -1);
    // Ends the child at once.
    void kill();

    const std::string& output() const { return mOutput; }
    std::string takeOutput() { return std::move(mOutput); }

    // start and finish in one, for a caller that waits.
    static Outcome run(const XStr& ffprobe, const XStr& mediaPath, std::string& output,
                       int stopFD = -1);

private:
    XWorkerProcess mProcess;
    std::string mOutput;
    bool mStarted = false;
    bool mEnded = false;
    bool mTooLong = false;
    bool mReadFailed = false;
    int mRefused = 0;
};
