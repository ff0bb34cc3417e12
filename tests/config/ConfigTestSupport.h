// A private settings store, home and data folder for each configuration test, and a small
// catalogue so that stores stay short enough to compare whole.
#pragma once

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "VAEncoderDesc.h"
#include "VVCCodecs.h"
#include "XRegistry.h"

inline std::vector<VAEncoderDesc> smallCatalogue() {
    return {VAEncoderDesc::makeVideoCodec("MP4 (H264)", ".mp4"),
            VAEncoderDesc::makeVideoCodec("MP4 (copy, no encoding)", ".mp4"),
            VAEncoderDesc::makeMultiEncoder()};
}

inline std::vector<VAEncoderDesc> fullCatalogue() {
    return VVCCodecs::listEncoders(true);
}

class ConfigTest : public ::testing::Test {
protected:
    ConfigTest() { XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo"); }

    std::string storePath() const { return mDir.file("XRegistry"); }
    // The store file as a tree; an empty file is an empty object.
    nlohmann::json store() const {
        const std::string text = readTextFile(storePath());
        return text.empty() ? nlohmann::json::object() : nlohmann::json::parse(text);
    }
    // The subtree of the application key.
    nlohmann::json appKey() const {
        return store()["HKCU"]["Software"]["Quillmere"]["VantaroVideo"];
    }
    static void allowUserProfiles(bool on) { XRegistry::SetDWORD("vMCAllowProfiles", on ? 1 : 0); }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    ScopedEnv mHome{"HOME", "/home/tester"};
    ScopedEnv mConfigHome{"XDG_CONFIG_HOME", "/home/tester/.no-config"};
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("data").c_str()};
};
