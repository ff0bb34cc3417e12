#include "VAVersionInfoGlobals.h"

#include "VAWebServer.h"
#include "XClock.h"
#include "XHttpGet.h"
#include "XRegistry.h"
#include "clLineSplitter.h"

std::function<uint32_t()> VAVersionInfoGlobals::defaultClock() {
    return [] { return XClock::nowMs(); };
}

VAVersionInfoGlobals& VAVersionInfoGlobals::createWithAppName(const XStr& appName) {
    static VAVersionInfoGlobals globals(appName);
    return globals;
}

VAVersionInfoGlobals::VAVersionInfoGlobals(XStr appName, std::function<uint32_t()> clock)
    : mAppName(std::move(appName)), mClock(std::move(clock)) {}

bool VAVersionInfoGlobals::internetAllowed() {
    return XRegistry::GetDWORD(kNoInternet) == 0;
}

bool VAVersionInfoGlobals::checksAllowed() {
    return XRegistry::GetDWORD(kNoCheckUpdates) == 0;
}

XStrList VAVersionInfoGlobals::listURLs() {
    return {VAWebServer::url("/beta/prog_versions.txt"), VAWebServer::url("/prog_versions.txt")};
}

std::optional<VAVersionInfo> VAVersionInfoGlobals::findRecord(const std::string& list,
                                                              const XStr& appName) {
    XStrList lines;
    clLineSplitter splitter([&](XStr& line) { lines.push_back(std::move(line)); });
    splitter.feed(list.data(), list.size());
    splitter.finish();
    for (std::size_t at = 0; at + 2 < lines.size(); at += 3) {
        if (lines[at].equalsNoCase(appName)) {
            return VAVersionInfo{lines[at + 2], lines[at + 1]};
        }
    }
    return std::nullopt;
}

std::optional<VAVersionInfo> VAVersionInfoGlobals::getVersionInfoInner(
    const std::shared_ptr<KillSwitch>& cancel) {
    if (!internetAllowed()) {
        return std::nullopt;
    }
    XHttpSettings settings = XHttpSettings::withStoredProxy();
    settings.cancel = cancel;
    settings.maxBodyLength = kMaxListBytes;
    for (const XStr& url : listURLs()) {
        std::string body;
        if (HttpGet(url, body, settings)) {
            return findRecord(body, mAppName);
        }
        if (cancel && cancel->die()) {
            break;
        }
    }
    return std::nullopt;
}

std::optional<VAVersionInfo> VAVersionInfoGlobals::getVersionInfo(
    const std::shared_ptr<KillSwitch>& cancel) {
    std::lock_guard<std::mutex> lock(mMutex);
    if (mInfo && mClock() - mLastCheck < kRecheckMs) {
        return mInfo;
    }
    std::optional<VAVersionInfo> info = getVersionInfoInner(cancel);
    if (cancel && cancel->die()) {
        // Cut short: no answer, and nothing learned for the next call.
        return std::nullopt;
    }
    mInfo = info;
    mLastCheck = mClock();
    return info;
}
