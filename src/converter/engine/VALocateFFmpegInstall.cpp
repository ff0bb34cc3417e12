// Installing an external FFmpeg into the application data folder and reverting to the
// internal one.
#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include "VAAppDataFolder.h"
#include "VAFFmpegArchive.h"
#include "VALocateFFmpeg.h"
#include "XFile.h"
#include "XOutputFile.h"
#include "XPath.h"
#include "XTempFile.h"
#include "XTempFolderScope.h"

namespace {

bool fail(XStr* why, const XStr& text) {
    if (why != nullptr) {
        *why = text;
    }
    return false;
}

// Copies the file into a new temporary file beside the external FFmpeg, executable.
bool stage(const XStr& from, XOutputFile& staged, XStr* why) {
    XFile source;
    if (!source.Open(from, XFile::Access::kReadOnly,
                     XFile::kOpenExisting | XFile::kNoLock | XFile::kRegularOnly)) {
        return fail(why, "Cannot read '" + from + "': " + XErrnoText(errno));
    }
    const XStr external = VALocateFFmpeg::pathToExternalFFmpeg();
    if (!VAAppDataFolder::ensureExists() || !staged.Create(external)) {
        return fail(why,
                    "Cannot write into '" + XPath::folderOf(external) + "': " + XErrnoText(errno));
    }
    XFile target;
    if (!target.Open(staged.TempPath(), XFile::Access::kReadWrite,
                     XFile::kOpenExisting | XFile::kNoLock)) {
        return fail(why, "Cannot write '" + staged.TempPath() + "': " + XErrnoText(errno));
    }
    char buffer[1 << 16];
    for (;;) {
        bool failed = false;
        const size_t n = source.Read(buffer, sizeof buffer, XFile::kAtCurrent, &failed);
        if (failed) {
            return fail(why, "Cannot read '" + from + "': " + XErrnoText(errno));
        }
        if (n == 0) {
            break;
        }
        if (!target.Write(buffer, n)) {
            return fail(why, "Cannot write '" + staged.TempPath() + "': " + XErrnoText(errno));
        }
    }
    if (fchmod(target.Descriptor(), 0755) != 0 || !target.Close()) {
        return fail(why, "Cannot write '" + staged.TempPath() + "': " + XErrnoText(errno));
    }
    return true;
}

}  // namespace

bool VALocateFFmpeg::installWorker(const XStr& source, XOutputFile& staged, XStr* why) {
    if (XPath::fileName(source) == "ffmpeg") {
        return stage(source, staged, why);
    }
    if (VAFFmpegArchive::tarFlagsFor(source).empty()) {
        return fail(why, "'" + XPath::fileName(source) +
                             "' is neither a file named 'ffmpeg' nor a .tar.gz or .tar.bz2 "
                             "archive");
    }
    // The unpacked tree lasts until its FFmpeg is copied.
    const XTempFolderScope scope;
    if (!scope.IsValid()) {
        return fail(why, "No temporary folder can be made in '" + XTempFile::Folder() + "'");
    }
    XStr unpackWhy;
    if (!VAFFmpegArchive::unpack(source, scope.Path(), unpackWhy)) {
        return fail(why, unpackWhy);
    }
    const XStr found = VAFFmpegArchive::ffmpegIn(scope.Path());
    if (found.empty()) {
        return fail(why, "The archive holds no 'ffmpeg' at its top or in its folder 'bin'");
    }
    return stage(found, staged, why);
}

void VALocateFFmpeg::revertToInternal() {
    // Either may be missing already.
    XFile::Delete(pathToExternalFFmpeg());
    XFile::Delete(pathToAutoMarker());
}

bool VALocateFFmpeg::installFrom(const XStr& source, bool isAuto, XStr* why) {
    XOutputFile staged;
    if (!installWorker(source, staged, why)) {
        return false;
    }
    // A chosen file is no download: the marker goes before the file takes its place.
    if (!isAuto) {
        XFile::Delete(pathToAutoMarker());
    }
    if (staged.Commit(true) != XOutputFile::CommitResult::kDone) {
        return fail(why, "Cannot replace '" + pathToExternalFFmpeg() + "': " + XErrnoText(errno));
    }
    if (isAuto) {
        XFile marker;
        if (!marker.Open(pathToAutoMarker(), XFile::Access::kReadWrite,
                         XFile::kCreateAlways | XFile::kNoLock)) {
            return fail(why, "Cannot write '" + pathToAutoMarker() + "': " + XErrnoText(errno));
        }
    }
    return true;
}
