// A private store for each registry test: its own folder, the location pointing there and
// the application's default key.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "TestSupport.h"
#include "XJSON.h"
#include "XRegistry.h"

inline const char* const kDefaultRoot = "HKCU";
inline const char* const kDefaultPath = "Software\\Quillmere\\VantaroVideo";

// A folder on a memory file system when there is one: tests that commit a thousand
// times measure locking and replacing, not how fast the disk flushes.
inline const char* memoryFolder() {
    struct stat st {};
    return stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm" : nullptr;
}

// The application's default key in a store tree.
inline const XJSON::Object& defaultKeyOf(const XJSON::AnyType& tree) {
    return tree.AsObject()
        .Get(kDefaultRoot)
        .AsObject()
        .Get("Software")
        .AsObject()
        .Get("Quillmere")
        .AsObject()
        .Get("VantaroVideo")
        .AsObject();
}

class RegistryTest : public ::testing::Test {
protected:
    // base: where the test's folder goes instead of the usual temporary folder.
    explicit RegistryTest(const char* base = nullptr)
        : mDir(makeDir(base)),
          mLocation("XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()) {
        XRegistry::SetDefaultKey(kDefaultRoot, kDefaultPath);
    }

    const TestTempDir& dir() const { return mDir; }
    std::string storePath() const { return mDir.file("XRegistry"); }
    std::string storeText() const { return readTextFile(storePath()); }
    void writeStore(const std::string& text) const { writeTextFile(storePath(), text); }
    // The store as a tree; a failed parse fails the test.
    XJSON::Owned storeTree() const {
        XJSON::Owned tree = XJSON::ReadFile(XStr(storePath()), 1 << 30);
        EXPECT_NE(tree, nullptr) << storeText();
        return tree;
    }

private:
    static TestTempDir makeDir(const char* base) {
        const char* current = std::getenv("TMPDIR");
        ScopedEnv tmp("TMPDIR", base != nullptr ? base : current);
        return TestTempDir();
    }

    TestTempDir mDir;
    ScopedEnv mLocation;
};
