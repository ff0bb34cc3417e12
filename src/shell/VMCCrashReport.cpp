#include "VMCCrashReport.h"

#include <dirent.h>
#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <string>
#include <typeinfo>

#include "VAAppDataFolder.h"
#include "VMCBugEntryFile.h"
#include "VMCErrorHandler.h"
#include "XFile.h"

namespace VMCCrashReport {

namespace {

struct FatalSignal {
    int number;
    const char* name;
    const char* reason;
};

constexpr FatalSignal kSignals[] = {
    {SIGSEGV, "SIGSEGV", "Segmentation fault"},
    {SIGABRT, "SIGABRT", "Aborted"},
    {SIGBUS, "SIGBUS", "Bus error"},
    {SIGFPE, "SIGFPE", "Floating-point exception"},
    {SIGILL, "SIGILL", "Illegal instruction"},
};

constexpr int kMaxFrames = 64;
// A trace that cannot be taken (the fault hit the loader) must not hang the program.
constexpr unsigned kTraceSeconds = 5;

// Made before any signal arrives: the handler only reads them.
char gFolder[VMCBugEntryFile::kMaxPath];
char gUncaught[1024];
std::terminate_handler gPreviousTerminate = nullptr;
// A separate stack, so that a stack overflow can still be reported.
char gAltStack[64 * 1024];

void copyTruncated(char* out, std::size_t size, const std::string& text) {
    const std::size_t n = std::min(size - 1, text.size());
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

// The uncaught exception is described while there is still time to allocate; the abort
// that follows writes the report.
[[noreturn]] void onTerminate() {
    if (std::current_exception()) {
        const VMCErrorHandler::Exception e = VMCErrorHandler::describeCurrentException();
        std::string text = "uncaught " + e.name.utf8();
        if (!e.reason.empty()) {
            text += ": " + e.reason.utf8();
        }
        copyTruncated(gUncaught, sizeof(gUncaught), text);
    }
    if (gPreviousTerminate != nullptr) {
        gPreviousTerminate();
    }
    std::abort();
}

void onFatalSignal(int number) {
    const FatalSignal* fatal = nullptr;
    for (const FatalSignal& s : kSignals) {
        if (s.number == number) {
            fatal = &s;
        }
    }
    char path[VMCBugEntryFile::kMaxPath];
    const int fd = fatal != nullptr ? VMCBugEntryFile::create(gFolder, path) : -1;
    if (fd >= 0) {
        using VMCBugEntryFile::writeText;
        writeText(fd, "Exception name: ");
        writeText(fd, fatal->name);
        writeText(fd, "\nException reason: ");
        writeText(fd, fatal->reason);
        writeText(fd, "\n");
        if (gUncaught[0] != '\0') {
            writeText(fd, "Additional information:\n  ");
            writeText(fd, gUncaught);
            writeText(fd, "\n");
        }
        writeText(fd, "Trace:\n");
        // Unseen from here on, so that a report cut short by the trace is shown all the same.
        char marker[VMCBugEntryFile::kMaxPath];
        marker[0] = '\0';
        if (VMCBugEntryFile::appendText(marker, path) &&
            VMCBugEntryFile::appendText(marker, kUnseenSuffix)) {
            const int markerFD = open(marker, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (markerFD >= 0) {
                close(markerFD);
            }
        }
        alarm(kTraceSeconds);
        void* frames[kMaxFrames];
        // Loaded at install, backtrace neither allocates nor loads anything here.
        const int count = backtrace(frames, kMaxFrames);
        for (int i = 0; i < count; ++i) {
            writeText(fd, "  ");
            backtrace_symbols_fd(&frames[i], 1, fd);
        }
        alarm(0);
        close(fd);
    }
    // The handler was reset on entry: the signal, blocked until the handler returns, then
    // ends the program as it would have without us (a fault happens again on return).
    raise(number);
}

bool isUnseenMarker(const std::string& name) {
    const std::string suffix = std::string(VMCBugEntryFile::kExtension) + kUnseenSuffix;
    return name.rfind(VMCBugEntryFile::kPrefix, 0) == 0 && name.size() > suffix.size() &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

void install() {
    copyTruncated(gFolder, sizeof(gFolder), VAAppDataFolder::path().utf8());
    // The first call loads the unwinder, which the handler must not have to do.
    void* frames[1];
    backtrace(frames, 1);

    stack_t stack{};
    stack.ss_sp = gAltStack;
    stack.ss_size = sizeof(gAltStack);
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = onFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_ONSTACK;
    for (const FatalSignal& s : kSignals) {
        sigaction(s.number, &action, nullptr);
    }
    gPreviousTerminate = std::set_terminate(onTerminate);
}

XStrList takeUnseenReports() {
    const std::string folder = VAAppDataFolder::path().utf8();
    std::vector<std::pair<timespec, std::string>> markers;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            struct stat info {};
            if (isUnseenMarker(name) && lstat((folder + "/" + name).c_str(), &info) == 0 &&
                S_ISREG(info.st_mode)) {
                markers.emplace_back(info.st_mtim, name);
            }
        }
        closedir(dir);
    }
    std::sort(markers.begin(), markers.end(), [](const auto& a, const auto& b) {
        return a.first.tv_sec != b.first.tv_sec     ? a.first.tv_sec < b.first.tv_sec
               : a.first.tv_nsec != b.first.tv_nsec ? a.first.tv_nsec < b.first.tv_nsec
                                                    : a.second < b.second;
    });
    XStrList reports;
    for (const auto& [time, name] : markers) {
        const std::string marker = folder + "/" + name;
        const std::string report = marker.substr(0, marker.size() - std::strlen(kUnseenSuffix));
        XFile file;
        std::string bytes;
        // A report is a few kilobytes; anything far larger is no report of ours.
        if (file.Open(XStr(report), XFile::Access::kReadOnly,
                      XFile::kOpenExisting | XFile::kNoLock | XFile::kRegularOnly) &&
            file.ReadAll(bytes, 1 << 20) && !bytes.empty()) {
            reports.push_back(XStr(bytes));
        }
        XFile::Delete(XStr(marker));
    }
    return reports;
}

}  // namespace VMCCrashReport
