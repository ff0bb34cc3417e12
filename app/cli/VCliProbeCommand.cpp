#include "VCliProbeCommand.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "VAMediaFileInfo.h"
#include "VAProbeCache.h"
#include "VAProbeReport.h"
#include "VAStringTools.h"
#include "VCliJsonObject.h"
#include "VCliOptionParser.h"
#include "VCliUsage.h"

namespace {

struct Probed {
    XStr path;
    // Empty when the file was described; otherwise what is wrong with it.
    XStr problem;
    int64_t size = 0;
    std::shared_ptr<VAMediaFileInfo> info;
};

Probed probeOne(const XStr& path, const std::shared_ptr<VAProbeCache>& cache) {
    Probed p;
    p.path = path;
    const std::optional<VAFileStat> stat = VAFileStat::of(path);
    if (!stat) {
        p.problem = "no such file";
        return p;
    }
    struct stat st {};
    if (::stat(path.utf8().c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        p.problem = "a folder, not a file";
        return p;
    }
    if (stat->waits) {
        p.problem = "not a regular file";
        return p;
    }
    p.size = stat->size;
    p.info = cache ? cache->infoForFile(path) : VAMediaFileInfo::infoForFile(path);
    // ffprobe describes every media file's streams; for anything else it has none.
    if (!p.info->MediaProps().getTagString(VAProbeReport::kStreams)) {
        p.problem = stat->size == 0 ? "empty file, not media" : "not a media file";
    }
    return p;
}

// In list order, with as many ffprobe children at once as there are processors.
std::vector<Probed> probeAll(const XStrList& paths) {
    const std::shared_ptr<VAProbeCache> cache = VAProbeCache::shared();
    std::vector<Probed> results(paths.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < paths.size(); i = next++) {
            results[i] = probeOne(paths[i], cache);
        }
    };
    const std::size_t threads =
        std::min<std::size_t>(paths.size(), std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> workers;
    for (std::size_t t = 1; t < threads; ++t) {
        workers.emplace_back(work);
    }
    work();
    for (std::thread& worker : workers) {
        worker.join();
    }
    if (cache) {
        cache->save();
    }
    return results;
}

// The value as the program shows it: durations, rates and channel counts in the units of
// the preferences.
XStr shownValue(const VAMediaFileInfo& info, const XStr& name, const XStr& value) {
    if (name == VAProbeReport::kLength) {
        return VAStringTools::formatDuration(info.lengthMS());
    }
    if (name == VAProbeReport::kSampleRate) {
        return VAStringTools::formatSampleRate(static_cast<uint64_t>(value.toInt64()));
    }
    if (name == VAProbeReport::kChannels) {
        return VAStringTools::formatChannels(static_cast<int>(value.toInt64()));
    }
    return value;
}

// Text elements only; with skipEmpty not those ffprobe left blank ("Color Space" of a
// stream that does not say).
template <typename Each>
void forTextTags(const VATag& tag, bool skipEmpty, Each each) {
    for (std::size_t i = 0; i < tag.tagCount(); ++i) {
        if (!tag.isTagBinary(i) && !(skipEmpty && tag.tagValueAt(i).empty())) {
            each(tag.tagNameAt(i), tag.tagValueAt(i));
        }
    }
}

void printText(const Probed& p, std::ostream& out, std::ostream& err) {
    if (!p.problem.empty()) {
        err << "vantaro: " << p.path.utf8() << ": " << p.problem.utf8() << '\n';
        return;
    }
    const VAMediaFileInfo& info = *p.info;
    out << p.path.utf8() << '\n';
    out << "  Size: " << VAStringTools::formatFileSize(static_cast<uint64_t>(p.size)).utf8()
        << '\n';
    forTextTags(info.MediaProps(), true, [&](const XStr& name, const XStr& value) {
        out << "  " << name.utf8() << ": " << shownValue(info, name, value).utf8() << '\n';
    });
    bool first = true;
    forTextTags(info.IDTags(), false, [&](const XStr& name, const XStr& value) {
        if (first) {
            out << "  Tags:\n";
            first = false;
        }
        out << "    " << name.utf8() << ": " << value.utf8() << '\n';
    });
}

void printJson(const Probed& p, std::ostream& out) {
    VCliJsonObject object;
    object.add("file", p.path);
    if (!p.problem.empty()) {
        object.add("error", p.problem);
        out << object.str() << '\n';
        return;
    }
    const VAMediaFileInfo& info = *p.info;
    object.add("size", p.size);
    object.add("lengthMS", static_cast<int64_t>(info.lengthMS()));
    VCliJsonObject props;
    forTextTags(info.MediaProps(), true, [&](const XStr& name, const XStr& value) {
        props.add(name.utf8().c_str(), shownValue(info, name, value));
    });
    VCliJsonObject tags;
    forTextTags(info.IDTags(), false,
                [&](const XStr& name, const XStr& value) { tags.add(name.utf8().c_str(), value); });
    object.addRaw("properties", props.str());
    object.addRaw("tags", tags.str());
    out << object.str() << '\n';
}

}  // namespace

int VCliProbeCommand::run(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err) {
    const std::vector<VCliOptionDef> table = {
        {"json", 0, false, false, "", "print one JSON object per file"},
        {"help", 'h', false, false, "", "show this help"},
    };
    const VCliOptionParser parser(table);
    VCliParsedOptions options;
    std::string error;
    if (!parser.parse(args, options, error)) {
        return VCliUsage::fail(err, error, "probe");
    }
    if (options.has("help")) {
        out << "Usage: vantaro probe [--json] FILE...\n\n"
               "Shows the media properties and the tags of each FILE. Results are kept in\n"
               "the data folder and reused while a file keeps its size and time.\n\n"
               "Options:\n"
            << parser.optionsHelp()
            << "\nExit status: 0 when every file is media, 1 when any is missing or not "
               "media.\n";
        return 0;
    }
    if (options.operands.empty()) {
        return VCliUsage::fail(err, "no file given", "probe");
    }
    XStrList paths;
    for (const std::string& operand : options.operands) {
        if (operand.empty()) {
            return VCliUsage::fail(err, "an empty file name was given", "probe");
        }
        paths.push_back(XStr(operand));
    }
    int status = 0;
    for (const Probed& p : probeAll(paths)) {
        status = p.problem.empty() ? status : 1;
        if (options.has("json")) {
            printJson(p, out);
        } else {
            printText(p, out, err);
        }
    }
    return status;
}
