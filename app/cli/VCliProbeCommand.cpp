#include "VCliProbeCommand.h"

#include "VAMediaFileInfo.h"
#include "VAProbeReport.h"
#include "VAStringTools.h"
#include "VCliJsonObject.h"
#include "VCliOptionParser.h"
#include "VCliProbeList.h"
#include "VCliUsage.h"

namespace {

using VCliProbeList::Probed;

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

// Text for people: names and tags that are not UTF-8 show U+FFFD for their odd bytes.
void printText(const Probed& p, std::ostream& out, std::ostream& err) {
    if (!p.problem.empty()) {
        err << "vantaro: " << p.path.displayUtf8() << ": " << p.problem.displayUtf8() << '\n';
        return;
    }
    const VAMediaFileInfo& info = *p.info;
    out << p.path.displayUtf8() << '\n';
    out << "  Size: " << VAStringTools::formatFileSize(static_cast<uint64_t>(p.size)).displayUtf8()
        << '\n';
    forTextTags(info.MediaProps(), true, [&](const XStr& name, const XStr& value) {
        out << "  " << name.displayUtf8() << ": " << shownValue(info, name, value).displayUtf8()
            << '\n';
    });
    bool first = true;
    forTextTags(info.IDTags(), false, [&](const XStr& name, const XStr& value) {
        if (first) {
            out << "  Tags:\n";
            first = false;
        }
        out << "    " << name.displayUtf8() << ": " << value.displayUtf8() << '\n';
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

const std::vector<VCliOptionDef>& VCliProbeCommand::options() {
    static const std::vector<VCliOptionDef> kTable = {
        {"json", 0, false, false, "", "print one JSON object per file"},
        {"help", 'h', false, false, "", "show this help"},
    };
    return kTable;
}

int VCliProbeCommand::run(const std::vector<std::string>& args, std::ostream& out,
                          std::ostream& err) {
    const VCliOptionParser parser(options());
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
    for (const Probed& p : VCliProbeList::probeAll(paths)) {
        status = p.problem.empty() ? status : 1;
        if (options.has("json")) {
            printJson(p, out);
        } else {
            printText(p, out, err);
        }
    }
    return status;
}
