// An output file that appears atomically: written under a unique hidden name beside its
// destination and moved to the destination only when it is complete, never over a file that
// nobody asked to replace. A temporary file that is not committed is removed; one left behind
// by a killed process is removed by the next start (see RemoveLeftovers).
#pragma once

#include <sys/types.h>

#include "XStr.h"

class XOutputFile {
public:
    enum class CommitResult {
        kDone,
        // The destination exists and replacing it was not allowed; the temporary file is gone.
        kExists,
        // errno tells why; the temporary file is gone.
        kFailed,
    };

    XOutputFile() = default;
    // Removes the temporary file unless it was committed.
    ~XOutputFile();
    XOutputFile(const XOutputFile&) = delete;
    XOutputFile& operator=(const XOutputFile&) = delete;

    // Creates an empty temporary file exclusively in the destination's folder, so it can never
    // be an existing file. The folder must exist. False with errno set.
    bool Create(const XFileName& destination);
    const XFileName& TempPath() const { return mTempPath; }
    const XFileName& Destination() const { return mDestination; }
    bool IsOpen() const { return !mTempPath.empty(); }

    // Flushes the content to storage and moves it to the destination: in one step over an
    // existing file when replace is set, otherwise only when no file has that name.
    CommitResult Commit(bool replace);
    // Removes the temporary file now.
    void Discard();

    // "/d/clip.mp4" with owner 12 and counter 3 gives "/d/.clip.vantaro-12-3.mp4": hidden,
    // and with the destination's extension so that a program choosing its format by the
    // extension chooses the same. Long names are shortened to stay within the system's limit.
    static XFileName TempPathFor(const XFileName& destination, pid_t owner, unsigned counter);
    // The process that made a temporary name (its last path component); 0 when the name is
    // not one of ours.
    static pid_t OwnerOf(const XFileName& name);

    // Where each process lists the temporary files it makes, so that a later start can
    // remove those of a process that was killed. Without a folder nothing is listed.
    static void SetJournalFolder(const XFileName& folder);
    // Removes the temporary files listed by processes that are gone, and their lists; answers
    // how many files were removed. Only files whose names carry the dead owner are touched.
    static unsigned RemoveLeftovers(const XFileName& journalFolder);
    // Removes every temporary file of this process that is still there: for exits that do
    // not unwind (a second interrupt). Safe to call from any thread.
    static void RemoveAllOfThisProcess();

    static constexpr const char* kMarker = ".vantaro-";
    static constexpr const char* kJournalPrefix = "PendingOutputs-";

private:
    XFileName mTempPath;
    XFileName mDestination;
};
