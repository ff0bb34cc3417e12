#include "VMCUpdateLink.h"

#include "XMainThread.h"

std::shared_ptr<VMCUpdateLink> VMCUpdateLink::create(VMCUpdateLinkView& view, XStr appVersion,
                                                     VAVersionInfoGlobals* versions) {
    return std::shared_ptr<VMCUpdateLink>(new VMCUpdateLink(view, std::move(appVersion), versions));
}

VMCUpdateLink::~VMCUpdateLink() {
    mCancel->kill();
    if (mCheck.joinable()) {
        mCheck.join();
    }
}

XStr VMCUpdateLink::linkText(const XStr& version) {
    return "update to " + version;
}

void VMCUpdateLink::launcherDidLoad() {
    if (mCheck.joinable() || !VAVersionInfoGlobals::checksAllowed()) {
        return;
    }
    const XStr name = VAVersionInfoGlobals::kAppUpdateCheckName;
    if (name.empty()) {
        return;
    }
    if (mVersions == nullptr) {
        mVersions = &VAVersionInfoGlobals::createWithAppName(name);
    }
    mChecking = true;
    mCheck = std::thread([this] { latestVersionCheck(); });
}

void VMCUpdateLink::latestVersionCheck() {
    const std::optional<VAVersionInfo> info = mVersions->getVersionInfo(mCancel);
    if (info && info->Version != mAppVersion && !mCancel->die()) {
        postUpdateAvailable(*info);
    }
    mChecking = false;
}

void VMCUpdateLink::postUpdateAvailable(const VAVersionInfo& found) {
    XMainThread::post([weak = weak_from_this(), cancel = mCancel, info = found] {
        const std::shared_ptr<VMCUpdateLink> self = weak.lock();
        if (self && !cancel->die()) {
            self->onUpdateAvailable(info);
        }
    });
}

void VMCUpdateLink::onUpdateAvailable(const VAVersionInfo& info) {
    mURL = info.URL;
    mView.showUpdateLink(linkText(info.Version));
}

void VMCUpdateLink::appUpdateLinkClick() {
    if (!mURL.empty()) {
        mView.openURL(mURL);
    }
}
