// A private settings store, home and data folder for each test of the shell, so that the
// panels may save profiles and recent destinations as they do for users.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "VAEncoderDesc.h"
#include "XRegistry.h"

class ShellTest : public ::testing::Test {
protected:
    ShellTest() { XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo"); }

    static void allowUserProfiles(bool on) { XRegistry::SetDWORD("vMCAllowProfiles", on ? 1 : 0); }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    ScopedEnv mHome{"HOME", mDir.path().c_str()};
    ScopedEnv mConfigHome{"XDG_CONFIG_HOME", mDir.file("config").c_str()};
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("data").c_str()};
};

// Three encoders, one of which needs the GPL encoders: the catalogue of an FFmpeg that has
// them.
inline std::vector<VAEncoderDesc> smallCatalogue() {
    return {VAEncoderDesc::makeVideoCodec("MP4 (H264)", ".mp4"),
            VAEncoderDesc::makeVideoCodec("MP4 (copy, no encoding)", ".mp4"),
            VAEncoderDesc::makeMultiEncoder()};
}

// The same without the GPL encoder.
inline std::vector<VAEncoderDesc> catalogueWithoutGPL() {
    return {VAEncoderDesc::makeVideoCodec("AVI", ".avi"),
            VAEncoderDesc::makeVideoCodec("MP4 (copy, no encoding)", ".mp4"),
            VAEncoderDesc::makeMultiEncoder()};
}
