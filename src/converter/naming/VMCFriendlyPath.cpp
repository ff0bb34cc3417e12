#include "VMCFriendlyPath.h"

#include <cstdlib>

#include "VAUserFolders.h"
#include "VMCPathCleanup.h"
#include "XPath.h"

namespace {

XStr home() {
    const char* h = std::getenv("HOME");
    return h != nullptr && *h == '/' ? XPath::withoutTrailingSlash(XStr(h)) : XStr();
}

// The home folder written "~/"; a path outside it unchanged.
XStr withTilde(const XStr& path) {
    const XStr h = home();
    if (h.empty() || h == "/") {
        return path;
    }
    if (path == h) {
        return "~/";
    }
    if (path.startsWith(h + "/")) {
        return "~/" + path.substr(h.size() + 1);
    }
    return path;
}

}  // namespace

std::vector<VMCFriendlyPath::ShortForm> VMCFriendlyPath::shortForms() {
    struct Known {
        const char* shortForm;
        const char* key;
        const char* fallback;
    };
    // The videos folder takes the place of the movies folder of other systems.
    static const Known kKnown[] = {
        {"Documents/", "XDG_DOCUMENTS_DIR", "Documents"},
        {"Downloads/", "XDG_DOWNLOAD_DIR", "Downloads"},
        {"Desktop/", "XDG_DESKTOP_DIR", "Desktop"},
        {"Videos/", "XDG_VIDEOS_DIR", "Videos"},
        {"Public/", "XDG_PUBLICSHARE_DIR", "Public"},
        {"Pictures/", "XDG_PICTURES_DIR", "Pictures"},
    };
    std::vector<ShortForm> out;
    for (const Known& k : kKnown) {
        const XStr folder =
            XPath::withoutTrailingSlash(VAUserFolders::userFolder(k.key, k.fallback));
        // The user-dirs file names the home folder for a folder the user does not want.
        if (folder.empty() || folder == "/" || folder == home()) {
            continue;
        }
        const XStr longForm = withTilde(folder);
        out.push_back({XStr(k.shortForm), longForm.endsWith("/") ? longForm : longForm + "/"});
    }
    return out;
}

XStr VMCFriendlyPath::friendlyNameExt(const XStr& path) {
    XStr shown = withTilde(path);
    // A folder matches its own long form.
    const XStr probe = shown.endsWith("/") ? shown : shown + "/";
    for (const ShortForm& form : shortForms()) {
        if (probe.startsWith(form.longForm)) {
            shown = form.shortForm + probe.substr(form.longForm.size());
            break;
        }
    }
    return shown.size() > 1 ? XPath::withoutTrailingSlash(shown) : shown;
}

XStr VMCFriendlyPath::friendlyName(const XStr& path) {
    return friendlyNameExt(XPath::withExtension(path, ""));
}

XStr VMCFriendlyPath::friendlyFolderName(const XStr& path) {
    const XStr folder = XPath::withoutTrailingSlash(path);
    if (!home().empty() && folder == home()) {
        const char* user = std::getenv("USER");
        return user != nullptr && *user != 0 ? XStr(user) : XStr("~");
    }
    const XStr volume = XPath::volumeOf(folder);
    if (!volume.empty()) {
        const XStr name = XPath::fileName(volume);
        return folder.size() == volume.size() ? name : name + folder.substr(volume.size());
    }
    return friendlyNameExt(folder);
}

XStr VMCFriendlyPath::fileURLFromFriendlyName(const XStr& name, const XStr& extension) {
    XStr path = name.endsWith("/") ? name : name + "/";
    for (const ShortForm& form : shortForms()) {
        if (path.startsWith(form.shortForm)) {
            path = form.longForm + path.substr(form.shortForm.size());
            break;
        }
    }
    if (path.startsWith("~/") && !home().empty()) {
        path = home() + path.substr(1);
    }
    path = XPath::withoutTrailingSlash(path);
    VMCPathCleanup::Options options;
    return VMCPathCleanup::cleanPath(path, options).value_or(path) + extension;
}

XStr VMCFriendlyPath::fileURLFromFriendlyNameTakingExtension(const XStr& name, const XStr& from) {
    return fileURLFromFriendlyName(name, XPath::extension(from));
}
