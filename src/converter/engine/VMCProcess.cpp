#include "VMCProcess.h"

#include <errno.h>
#include <string.h>

#include <filesystem>
#include <system_error>

#include "XFile.h"
#include "XOutputFile.h"
#include "XPath.h"
#include "clFFMPEG.h"

namespace {

// For a caller that wants no reports at all.
class SilentCallback : public VMCStatusCallback {
public:
    void onLengthMS(int64_t) override {}
    void onPercentDone(int32_t) override {}
    void onFPS(double) override {}
    void onInfoLine(const XStr&) override {}
    void onErrorLine(const XStr&) override {}
};

VMCProcessArg withCallback(const VMCProcessArg& arg) {
    VMCProcessArg own = arg;
    if (!own.callback) {
        own.callback = std::make_shared<SilentCallback>();
    }
    return own;
}

XStr quoted(const XStr& path) {
    return "'" + path + "'";
}

}  // namespace

void VMCProcess::convertWithArg(const VMCProcessArg& arg) {
    clFFMPEG run(withCallback(arg));
    run.run();
}

void VMCProcess::copyWithArg(const VMCProcessArg& given) {
    const VMCProcessArg arg = withCallback(given);
    VMCStatusCallback& callback = *arg.callback;
    const XStr from = arg.srcFrom ? arg.srcFrom->urlForConversion : XStr();
    const XStr folder = XPath::folderOf(arg.urlTo);
    if (!XFile::CreateFolderPath(folder)) {
        callback.onErrorLine("Cannot create the folder " + quoted(folder) + ": " +
                             XStr(strerror(errno)));
        return;
    }
    XOutputFile output;
    if (!output.Create(arg.urlTo)) {
        callback.onErrorLine("Cannot write to the folder of " + quoted(arg.urlTo) + ": " +
                             XStr(strerror(errno)));
        return;
    }
    std::error_code error;
    // Our own empty temporary file is what is replaced here, never the destination.
    std::filesystem::copy_file(from.utf8(), output.TempPath().utf8(),
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        callback.onErrorLine(XStr(error.message()));
        return;
    }
    switch (output.Commit(arg.overwriteExisting)) {
        case XOutputFile::CommitResult::kDone:
            break;
        case XOutputFile::CommitResult::kExists:
            callback.onErrorLine(quoted(arg.urlTo) + " already exists and was not replaced");
            break;
        case XOutputFile::CommitResult::kFailed:
            callback.onErrorLine("Error moving temporary file to destination file: " +
                                 XStr(strerror(errno)));
            break;
    }
}
