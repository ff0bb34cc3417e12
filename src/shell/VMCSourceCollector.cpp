#include "VMCSourceCollector.h"

#include "VAMediaFormatFilter.h"
#include "VASourceList.h"
#include "XMainThread.h"

std::shared_ptr<VMCSourceCollector> VMCSourceCollector::start(XStrList paths, Done done) {
    auto collector = std::make_shared<VMCSourceCollector>(std::move(done));
    std::weak_ptr<VMCSourceCollector> weak = collector;
    collector->mWorker =
        std::jthread([paths = std::move(paths), weak](const std::stop_token& stop) {
            Result result = collect(paths, stop);
            if (stop.stop_requested()) {
                return;
            }
            XMainThread::post([weak, result = std::move(result)] {
                if (const auto self = weak.lock()) {
                    self->finished(result);
                }
            });
        });
    return collector;
}

VMCSourceCollector::Result VMCSourceCollector::collect(const XStrList& paths,
                                                       const std::stop_token& stop) {
    // A folder stands for its media files, as on the command line: a dropped folder of
    // clips and their notes or pictures converts the clips.
    VASourceList list;
    list.setFileWanted([formats = VAMediaFormatFilter::allFormats()](const XStr& name) {
        return formats->isMediaFile(name);
    });
    Result result;
    for (const XStr& path : paths) {
        if (stop.stop_requested()) {
            break;
        }
        std::string error;
        if (!list.expandOne(path, result.files, error)) {
            result.errors.push_back(std::move(error));
        }
    }
    return result;
}

void VMCSourceCollector::finished(const Result& result) {
    if (mWorker.joinable()) {
        mWorker.join();
    }
    if (mDone) {
        mDone(result);
    }
}
