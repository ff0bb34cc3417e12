// What the maker's server says is the current version of this application: fetched at
// most once in ten minutes per process (a failed fetch is tried again at the next call),
// from a version list that serves several applications, each finding its record by name.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "KillSwitch.h"
#include "VAVersionInfo.h"
#include "XStr.h"

class VAVersionInfoGlobals {
public:
    // This application's name in the list.
    static constexpr const char* kAppUpdateCheckName = "Vantaro Video Converter Linux";
    static constexpr uint32_t kRecheckMs = 600000;
    // A larger answer is no version list.
    static constexpr int64_t kMaxListBytes = 1 << 20;
    // Settings of the store: no check at all / no request at all.
    static constexpr const char* kNoCheckUpdates = "NoCheckUpdates";
    static constexpr const char* kNoInternet = "NoInternetForVA";

    // The object of the process, made on the first call and kept for its life; later calls
    // answer it whatever name they give.
    static VAVersionInfoGlobals& createWithAppName(const XStr& appName);

    // Tests make their own, with a clock of their own (milliseconds, wrapping).
    explicit VAVersionInfoGlobals(XStr appName, std::function<uint32_t()> clock = defaultClock());

    // The cached answer while it is younger than ten minutes, else a new fetch. From any
    // thread; the object is locked for the whole call. A killed cancel switch ends a fetch
    // without an answer, and the next call fetches again.
    std::optional<VAVersionInfo> getVersionInfo(const std::shared_ptr<KillSwitch>& cancel = {});
    // One fetch: nothing with "NoInternetForVA" set; "/beta/prog_versions.txt" on the
    // maker's server, else "/prog_versions.txt"; then the record of this application.
    std::optional<VAVersionInfo> getVersionInfoInner(const std::shared_ptr<KillSwitch>& cancel);

    // The first record (name, version, URL: three lines each, ending in LF, CR or both)
    // whose name equals appName ignoring ASCII case; nothing when the text ends first.
    static std::optional<VAVersionInfo> findRecord(const std::string& list, const XStr& appName);
    static XStrList listURLs();
    static bool internetAllowed();
    static bool checksAllowed();

private:
    static std::function<uint32_t()> defaultClock();

    std::mutex mMutex;
    const XStr mAppName;
    std::function<uint32_t()> mClock;
    std::optional<VAVersionInfo> mInfo;
    uint32_t mLastCheck = 0;
};
