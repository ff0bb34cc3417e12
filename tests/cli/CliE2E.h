// What every end-to-end test of the program shares: a private folder with "in" and "tmp",
// the temporary and data folders pointed into it, and the program run to its end.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <nlohmann/json.hpp>

#include "CliProcess.h"
#include "MediaSupport.h"
#include "TestSupport.h"
#include "VACommandText.h"
#include "XFindProgram.h"

using nlohmann::json;

class CliE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(mkdir(mDir.file("tmp").c_str(), 0700), 0);
        ASSERT_EQ(mkdir(mDir.file("in").c_str(), 0755), 0);
    }

    std::string clip(const std::string& name, const TestClip& c) {
        const std::string path = mDir.file("in/" + name);
        EXPECT_TRUE(makeTestClip(path, c)) << path;
        return path;
    }
    std::string clip(const std::string& name, double seconds, const char* size = "320x240") {
        TestClip c;
        c.seconds = seconds;
        c.size = size;
        return clip(name, c);
    }
    static uint64_t sizeOf(const std::string& path) {
        struct stat st {};
        return stat(path.c_str(), &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0;
    }
    // Runs the program to its end.
    int vantaro(const std::vector<std::string>& args, CliProcess& p, uint32_t timeoutMs = 120000) {
        EXPECT_TRUE(p.start(args));
        return p.wait(timeoutMs);
    }
    // Every line of the standard output as JSON; a line that is not fails the test.
    static std::vector<json> events(const CliProcess& p) {
        std::vector<json> all;
        for (const std::string& line : p.outLines()) {
            try {
                all.push_back(json::parse(line));
            } catch (const std::exception& e) {
                ADD_FAILURE() << "not JSON: " << line << " (" << e.what() << ")";
            }
        }
        return all;
    }
    std::string tmp() const { return mDir.file("tmp"); }
    static std::string q(const std::string& path) { return VACommandText::Quote(path).utf8(); }
    static std::string sq(const std::string& path) {
        return VACommandText::ShellQuote(path).utf8();
    }

    TestTempDir mDir;
    ScopedEnv mTemp{"XTempFolderScope_Location", mDir.file("tmp").c_str()};
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("appdata").c_str()};
    const std::string mFFmpeg = XFindProgram("ffmpeg").utf8();
};
