// Shared helpers of the tests: a private temporary folder and small file utilities.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "XDebugLog.h"
#include "XStr.h"

// A fresh folder under the system's temporary directory, removed with everything in it
// when the object goes away.
class TestTempDir {
public:
    TestTempDir();
    ~TestTempDir();
    TestTempDir(const TestTempDir&) = delete;
    TestTempDir& operator=(const TestTempDir&) = delete;

    const std::string& path() const { return mPath; }
    // The path of a name inside the folder.
    std::string file(const std::string& name) const { return mPath + "/" + name; }
    XStr xfile(const std::string& name) const { return XStr(file(name)); }

private:
    std::string mPath;
};

// Sets (or, with nullptr, unsets) an environment variable for the object's lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string mName;
    bool mHad = false;
    std::string mOld;
};

// Switches the converter's debug log for the object's lifetime.
class ScopedDebugLog {
public:
    explicit ScopedDebugLog(bool on) : mSaved(XDebugLog::enabled()) { XDebugLog::setEnabled(on); }
    ~ScopedDebugLog() { XDebugLog::setEnabled(mSaved); }
    ScopedDebugLog(const ScopedDebugLog&) = delete;
    ScopedDebugLog& operator=(const ScopedDebugLog&) = delete;

private:
    bool mSaved;
};

// Sets the file-creation mask for the object's lifetime.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : mSaved(umask(mask)) {}
    ~ScopedUmask() { umask(mSaved); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

private:
    mode_t mSaved;
};

// The permission bits (with set-id and sticky bits) of a path; a failed stat fails the test.
mode_t permissionsOf(const std::string& path);

void writeTextFile(const std::string& path, const std::string& content);
// A text file that its owner may run (a "#!" script standing in for a program).
void writeExecutable(const std::string& path, const std::string& content);
std::string readTextFile(const std::string& path);
bool fileExists(const std::string& path);
// A path's modification time; a failed stat fails the test. Setting it sets the access time
// too.
timespec modifiedTime(const std::string& path);
void setModifiedTime(const std::string& path, const timespec& time);
// The names in a folder, sorted, without "." and ".."; none when it cannot be listed.
std::vector<std::string> folderEntries(const std::string& path);
