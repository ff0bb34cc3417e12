// One child process with chosen standard streams: started, polled for its end, paused and
// stopped by the one thread that owns the object.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <vector>

#include "XStr.h"

class XWorkerProcess {
public:
    using ArgList = std::vector<XStr>;

    // Stream flags for Create; a stream without its flag is connected to /dev/null.
    static constexpr int kPipeStdIn = 1;
    static constexpr int kPipeStdOut = 2;
    static constexpr int kPipeStdErr = 4;
    static constexpr uint32_t kWaitForever = 0xFFFFFFFF;
    static constexpr uint32_t kDefaultGraceMs = 2000;

    // How the last reaped child ended.
    struct ExitInfo {
        bool reaped = false;  // a child was reaped; the fields below describe it
        bool exited = false;  // it called exit; status holds the exit status
        int status = 0;
        int signal = 0;           // the signal that ended it, when it did not exit
        bool killedByUs = false;  // Stop killed it after the grace period
    };

    XWorkerProcess() = default;
    // Stops the child with the default grace.
    ~XWorkerProcess();
    XWorkerProcess(const XWorkerProcess&) = delete;
    XWorkerProcess& operator=(const XWorkerProcess&) = delete;

    // Stops a child this object still has, then starts args[0] with args as its argument
    // vector and pipes for the flagged streams. A program path holding "/" must name an
    // existing file; a bare name is run as given (no search of PATH). Answers false with
    // errno set when the program could not be started; nothing made for it stays open.
    bool Create(const ArgList& args, int streamFlags);

    // Closes the child's input, waits up to graceMs for it to end (kWaitForever: without
    // limit), then kills it with SIGKILL. Answers its exit status, or -1 when it ended by
    // a signal, was killed, or there was no child. The output and error descriptors are
    // closed afterwards.
    int Stop(uint32_t graceMs, int* exitCode = nullptr);
    // True when there is no child or it has ended now (it is reaped then).
    bool IsFinished();
    // IsFinished after waiting up to timeoutMs for the child to end; wakes as soon as it
    // does, so a caller that polls loses no time between one child and the next.
    bool WaitFinished(uint32_t timeoutMs);

    // Readable once the child has ended, for a caller that polls it together with other
    // descriptors; -1 without a child or on a kernel without pidfd.
    int ExitFD();

    // Pause and continue the child (SIGSTOP / SIGCONT); false without a child.
    bool Suspend();
    bool Resume();

    pid_t Pid() const { return mPid; }
    const ExitInfo& LastExit() const { return mLastExit; }

    // The parent's ends of the child's pipes, -1 when absent or closed.
    int InputFD() const { return mInputFD; }
    int OutputFD() const { return mOutputFD; }
    int ErrorFD() const { return mErrorFD; }
    void CloseInput();
    // Hand the descriptor over to the caller, who closes it.
    int DetachOutputFD();
    int DetachErrorFD();

    // By default a child is killed when the thread that started it ends, so none outlives
    // the application. Turn off only for a child that must survive us.
    void setDieWithParent(bool on) { mDieWithParent = on; }
    bool dieWithParent() const { return mDieWithParent; }

private:
    // Non-blocking when wait is false. Answers true when the child is gone.
    bool reapChild(bool wait, bool killedByUs);
    void record(int waitStatus, bool killedByUs);
    static void closeFD(int& fd);
    void forgetChild();

    int mInputFD = -1;
    int mOutputFD = -1;
    int mErrorFD = -1;
    pid_t mPid = 0;
    // Readable once the child has ended; opened on the first wait.
    int mPidFD = -1;
    ExitInfo mLastExit;
    bool mDieWithParent = true;
};
