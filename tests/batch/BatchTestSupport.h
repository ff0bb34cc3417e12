// What the tests of the batch layer share: a private folder with its own settings store and
// data folder, a main-thread loop, small file trees of stand-in media (the tree looks at
// extensions only), and probe records put into a private probe cache instead of probing.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "VAMediaFormatFilter.h"
#include "VAMediaProbe.h"
#include "VAProbeCache.h"
#include "VAProbeReport.h"
#include "XMainThread.h"
#include "XRegistry.h"
#include "XRunLoop.h"
#include "clFolderListEntry.h"

class BatchTest : public ::testing::Test {
protected:
    BatchTest() {
        XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
        VAAppDataFolder::registerAppName("VantaroVideo");
        XMainThread::setPoster(mLoop);
        // Stand-in media is never probed: what a test needs it finds in the probe cache.
        VAMediaProbe::setFFprobeLocator([] { return XStr(); });
    }
    ~BatchTest() override {
        VAMediaProbe::setFFprobeLocator(nullptr);
        XMainThread::setPoster(nullptr);
    }

    // Two formats, so that tests do not depend on the lists of the resources.
    static std::shared_ptr<const VAMediaFormatFilter> formats() {
        return VAMediaFormatFilter::fromLists({"MPEG-4 Video\n.mp4;.m4v\nMatroska Video\n.mkv\n"});
    }

    std::string path(const std::string& name) const { return mDir.file(name); }
    XStr xpath(const std::string& name) const { return mDir.xfile(name); }
    void folder(const std::string& name) const {
        ASSERT_EQ(mkdir(path(name).c_str(), 0755), 0) << name;
    }
    void file(const std::string& name, const std::string& content = "x") const {
        writeTextFile(path(name), content);
    }

    std::shared_ptr<folderListGlobals> makeGlobals(
        std::shared_ptr<clFolderListOwner> owner = nullptr) {
        auto globals = std::make_shared<folderListGlobals>(owner, formats());
        globals->setProbeCache(mCache);
        return globals;
    }
    clFolderListEntry::Ptr root(const std::string& name,
                                std::shared_ptr<clFolderListOwner> owner = nullptr) {
        return clFolderListEntry::rootForURL(xpath(name), makeGlobals(std::move(owner)));
    }

    // Lists the folder now and waits for its files.
    void load(const clFolderListEntry::Ptr& entry) {
        entry->getFoldersSynchronously();
        ASSERT_TRUE(
            mLoop->runUntil([&] { return entry->filesLoaded() && !entry->isLoading(); }, 20000))
            << entry->url();
    }
    static clFolderListEntry::Ptr sub(const clFolderListEntry::Ptr& entry, const char* name) {
        clFolderListEntry::Ptr found = clFolderListEntry::subFolderAt(name, entry->folders());
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static clFolderListEntry::FilePtr fileIn(const clFolderListEntry::Ptr& entry,
                                             const char* name) {
        for (const auto& f : entry->files()) {
            if (f->name() == name) {
                return f;
            }
        }
        ADD_FAILURE() << "no file " << name << " in " << entry->url();
        return nullptr;
    }

    // A probe record for the file as it is now: the given media properties.
    void probeRecord(const std::string& name,
                     const std::vector<std::pair<std::string, std::string>>& props) {
        VAMediaFileInfo info;
        info.setURL(xpath(name));
        NTag tags;
        tags.SetString(VAProbeReport::kStreams, "1 Video");
        for (const auto& [key, value] : props) {
            tags.SetString(key, value);
        }
        info.setMediaProps(VATag(tags));
        info.setProbedCleanly(true);
        mCache->store(info, *VAFileStat::of(xpath(name)));
    }

    TestTempDir mDir;
    ScopedEnv mStore{"XCLASS_XREGISTRY_LOCATION", mDir.file("XRegistry").c_str()};
    ScopedEnv mData{"_APPDATA_OVERRIDE", mDir.file("data").c_str()};
    std::shared_ptr<XRunLoop> mLoop = std::make_shared<XRunLoop>();
    std::shared_ptr<VAProbeCache> mCache =
        std::make_shared<VAProbeCache>(mDir.xfile("ProbeCache.json"));
};
