// What "vantaro watch" remembers across restarts, in the application data folder: every
// source it converted (or failed to), by path, size and modification time, and every
// output it wrote, so that no file is converted twice and no output is taken for a source.
// One journal per set of watched folders, held locked while watching, so a second watch of
// the same folders refuses to start. Records are appended and flushed after each
// conversion; a torn last line (a crash while writing) is ignored.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "XFile.h"
#include "XStr.h"

class VCliWatchJournal {
public:
    struct Identity {
        int64_t size = 0;
        int64_t modifiedNs = 0;
        friend bool operator==(const Identity&, const Identity&) = default;
    };

    static constexpr const char* kFolderName = "WatchJournals";

    // The journal of these folders (absolute paths); false with a message when it cannot be
    // read or another watch holds it.
    bool open(const XStrList& folders, std::string& error);
    const XStr& path() const { return mPath; }

    // Converted (or failed) in exactly this version.
    bool done(const XStr& source, const Identity& identity) const;
    bool isOutput(const XStr& path) const { return mOutputs.contains(path); }

    void addSource(const XStr& source, const Identity& identity, bool converted);
    void addOutput(const XStr& output);
    // Writes what was added since the last flush and waits for the disk.
    bool flush();

    static XStr journalPathFor(const XStrList& folders);
    // The text of a path in a record: backslash, tab, line feed and carriage return escaped.
    static std::string escape(const std::string& bytes);
    static std::string unescape(const std::string& text);

private:
    void readRecords(const std::string& text);

    XStr mPath;
    XFile mFile;
    std::map<XStr, Identity> mDone;
    std::set<XStr> mOutputs;
    std::string mPending;
};
