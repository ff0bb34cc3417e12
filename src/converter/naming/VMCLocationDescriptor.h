// A destination folder. Other systems keep a bookmark that survives renames and finds a
// volume to mount; here the folder is a plain path: it resolves when it exists or can be
// made, and the bookmark stays empty. Folders on volumes that are not mounted are never
// made (XPath::isNeverCreated).
#pragma once

#include <cstdint>
#include <vector>

#include "XStr.h"

class VMCLocationDescriptor {
public:
    // Resolution options of the platform: without user interface and without mounting.
    static constexpr unsigned kResolveWithoutMounting = 768;
    // After a failed resolution, further attempts within this time fail at once.
    static constexpr uint32_t kRetryMs = 60000;
    // The file made and removed again to see whether a folder takes new files.
    static constexpr const char* kWriteProbeName = ".vantaro-write-test";

    // No folder.
    VMCLocationDescriptor() = default;

    static VMCLocationDescriptor withURL(const XStr& folder);
    static VMCLocationDescriptor withFolderPath(const XStr& path);
    static VMCLocationDescriptor root();
    // The application's default output folder: the XDG videos folder.
    static VMCLocationDescriptor withDefaultFolder();
    // Unresolved when the bookmark is not empty; an empty friendly name is taken from the
    // last known folder.
    static VMCLocationDescriptor withBookmark(const std::vector<uint8_t>& bookmark,
                                              const XStr& friendlyName, const XStr& lastKnownURL);

    bool resolve() { return resolveWithOptions(kResolveWithoutMounting); }
    bool resolveAndMount() { return resolveWithOptions(0); }
    // True when the folder exists or can be made; a failure is remembered for kRetryMs.
    bool resolveWithOptions(unsigned options);
    bool resolved() const { return mResolved; }

    // Makes the folder and its missing parents and checks that a file can be made in it;
    // why says what failed.
    bool prepareFolder(XStr* why = nullptr);
    // The folder is there and can be read.
    bool sanity();
    // False for a folder on a volume, which other systems keep as a bookmark.
    bool canStoreAsURL() const;

    // Always empty here.
    const std::vector<uint8_t>& bookmark() const { return mBookmark; }
    // The folder's path; empty when there is none.
    const XStr& url() const { return mURL; }
    bool hasURL() const { return !mURL.empty(); }
    XStr friendlyName() const;

    // The same folder, or else the same (non-empty) bookmark.
    bool isEqualTo(const VMCLocationDescriptor& other) const;
    VMCLocationDescriptor copy() const { return *this; }
    void copyFrom(const VMCLocationDescriptor& other) { *this = other; }

    // Replaces the clock of the retry delay (tests).
    static void setClockForTesting(uint32_t (*clock)());

private:
    std::vector<uint8_t> mBookmark;
    XStr mURL;
    XStr mFriendlyName;
    bool mResolved = false;
    bool mFailed = false;
    uint32_t mFailureTime = 0;
};
