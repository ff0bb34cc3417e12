// The launcher's update link: when the launcher's view loads, a background check asks
// what the maker's server says is the current version; when that differs from this
// program's own (in any direction), the link "update to <version>" appears, and clicking
// it opens the download page. No error is ever shown: without an answer there is no link.
#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "KillSwitch.h"
#include "VAVersionInfoGlobals.h"
#include "VMCUpdateLinkView.h"
#include "XStr.h"

class VMCUpdateLink : public std::enable_shared_from_this<VMCUpdateLink> {
public:
    // appVersion: this program's version; versions: where the answer comes from (the
    // process's object when null).
    static std::shared_ptr<VMCUpdateLink> create(VMCUpdateLinkView& view, XStr appVersion,
                                                 VAVersionInfoGlobals* versions = nullptr);
    // Stops a check still running and waits for it.
    ~VMCUpdateLink();
    VMCUpdateLink(const VMCUpdateLink&) = delete;
    VMCUpdateLink& operator=(const VMCUpdateLink&) = delete;

    // Starts the check unless "NoCheckUpdates" is set or the application has no name in
    // the list; once per link.
    void launcherDidLoad();
    // On the main thread: the server's answer differs from our version.
    void onUpdateAvailable(const VAVersionInfo& info);
    void appUpdateLinkClick();

    // "update to <version>".
    static XStr linkText(const XStr& version);
    const XStr& rememberedURL() const { return mURL; }
    // A check runs now; once it has ended, what it found is posted to the main thread.
    bool checking() const { return mChecking; }

private:
    VMCUpdateLink(VMCUpdateLinkView& view, XStr appVersion, VAVersionInfoGlobals* versions)
        : mView(view), mAppVersion(std::move(appVersion)), mVersions(versions) {}
    void latestVersionCheck();
    void postUpdateAvailable(const VAVersionInfo& found);

    VMCUpdateLinkView& mView;
    const XStr mAppVersion;
    VAVersionInfoGlobals* mVersions;
    std::shared_ptr<KillSwitch> mCancel = KillSwitch::create();
    std::thread mCheck;
    std::atomic<bool> mChecking{false};
    XStr mURL;
};
