// How paths are shown to people: the home folder as "~", the user's well-known folders
// (the XDG documents, downloads, desktop, videos, public and pictures folders) by a short
// name, volumes by their name; and the way back from such a form to a path.
#pragma once

#include <vector>

#include "XStr.h"

class VMCFriendlyPath {
public:
    // "~/" for the home folder, then the first well-known folder by its short form
    // ("Videos/..."), without a trailing "/".
    static XStr friendlyNameExt(const XStr& path);
    // The same without the file's extension.
    static XStr friendlyName(const XStr& path);
    // The login name for the home folder itself, "VOLUME/..." for a folder on a volume,
    // otherwise friendlyNameExt.
    static XStr friendlyFolderName(const XStr& path);
    // A path from a shown form: short forms and "~" expanded, the clean-up applied, the
    // extension (with its point) appended.
    static XStr fileURLFromFriendlyName(const XStr& name, const XStr& extension);
    // The same with the extension of an existing path.
    static XStr fileURLFromFriendlyNameTakingExtension(const XStr& name, const XStr& from);

    struct ShortForm {
        XStr shortForm;  // "Videos/"
        XStr longForm;   // the folder with a trailing "/", the home folder written "~/"
    };
    // In the order they are tried; folders that are the home folder itself are left out.
    static std::vector<ShortForm> shortForms();
};
