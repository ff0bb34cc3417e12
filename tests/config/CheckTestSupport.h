// A converter window for the collision check: its sources, probe records and configuration
// as a test sets them, and a run loop standing in for the main thread.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "ConfigTestSupport.h"
#include "NTag.h"
#include "VMCCheckingFilenamesProgress.h"
#include "VMCConfig.h"
#include "XRunLoop.h"

class CheckHost : public VMCCheckingFilenamesHost {
public:
    explicit CheckHost(std::vector<VAEncoderDesc> encoders = fullCatalogue())
        : mConfig(std::nullopt, std::move(encoders), {}) {}

    std::vector<std::shared_ptr<const VAMediaFileInfo>> allInfosLoaded() const override {
        return infos;
    }
    const VMCConfig& config() const override { return mConfig; }
    std::vector<VMCPreConvertEntry> conversionEntries() const override { return entries; }
    void checkFileNamesDone(bool anyExists, VMCCheckingFilenamesProgress*) override {
        ++calls;
        lastAnyExists = anyExists;
    }

    VMCConfig& configuration() { return mConfig; }
    // Makes the profile of the encoder active, with these arguments and naming.
    VMCProfile& use(const XStr& encoder, const XStr& args = "",
                    const VMCFileNaming& naming = VMCFileNaming()) {
        mConfig.setActiveProfileName(encoder);
        VMCProfile& profile = *mConfig.activeProfile();
        VAEncoderArgs a;
        a.strArgs = args;
        profile.setEncoderArgsV2(a);
        profile.setFileNaming(naming);
        return profile;
    }
    void addSource(const XStr& path, bool checked = true) {
        VMCPreConvertEntry entry = VMCPreConvertEntry::withSource(VAConvertSource::withURL(path));
        entry.checked = checked;
        entries.push_back(entry);
    }

    std::vector<std::shared_ptr<const VAMediaFileInfo>> infos;
    std::vector<VMCPreConvertEntry> entries;
    int calls = 0;
    bool lastAnyExists = false;

private:
    VMCConfig mConfig;
};

// A probe record holding only these tags.
inline std::shared_ptr<const VAMediaFileInfo> recordWith(const XStr& path,
                                                         const std::map<XStr, XStr>& tags) {
    auto info = std::make_shared<VAMediaFileInfo>();
    info->setURL(path);
    NTag tag;
    for (const auto& [name, value] : tags) {
        tag.SetString(name, value);
    }
    info->setIDTags(VATag(tag));
    return info;
}

class CheckTest : public ConfigTest {
protected:
    void SetUp() override { XMainThread::setPoster(mLoop); }
    void TearDown() override { XMainThread::setPoster(nullptr); }

    // Runs the check as the window does and waits for its end.
    std::shared_ptr<VMCCheckingFilenamesProgress> check(
        CheckHost& host, VMCCheckingFilenamesProgress::Prober prober = nullptr) {
        auto progress = VMCCheckingFilenamesProgress::initWithHost(&host);
        progress->setProber(prober ? std::move(prober) : [this](const XStr& path, int) {
            probed.push_back(path);
            return recordWith(path, {});
        });
        const int before = host.calls;
        progress->viewDidLoad();
        EXPECT_TRUE(mLoop->runUntil([&] { return host.calls > before; }, 10000));
        return progress;
    }
    // A file with some content, its folders made.
    void existing(const std::string& name) {
        const std::string path = mDir.file(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeTextFile(path, "old output");
    }
    std::string source(const std::string& name) {
        const std::string path = mDir.file(name);
        writeTextFile(path, "not really a video");
        return path;
    }
    static XStrList destinations(const VMCCheckFilenamesState& state) {
        XStrList out;
        for (const VMCCheckFileNamesEntry& entry : state.entries) {
            out.push_back(entry.destination);
        }
        return out;
    }

    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
    XStrList probed;
};
