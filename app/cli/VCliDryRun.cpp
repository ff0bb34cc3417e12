#include "VCliDryRun.h"

#include <unistd.h>

#include <algorithm>

#include "VACommandText.h"
#include "VAConvertProcessShared.h"
#include "VAConvertSourceConcat.h"
#include "VADisplayText.h"
#include "VMCBatch.h"
#include "VMCFFmpegCommand.h"
#include "XTempFile.h"

namespace {

XStrList sourcesOf(const VAConversionEntry& entry) {
    if (const auto* concat = dynamic_cast<const VAConvertSourceConcat*>(entry.convertFrom.get())) {
        return concat->concatURLs();
    }
    return entry.convertFrom ? XStrList{entry.convertFrom->urlForConversion} : XStrList{};
}

// "# After a clean run: ..." for the post-actions the job carries, as the run would carry
// them out; empty when it carries none.
XStr postActionLine(const VAConversionEntry& entry, const std::set<XStr>& actions) {
    XStrList parts;
    if (actions.count(VAConvertProcessShared::kPreserveSourceAttributes) != 0) {
        parts.push_back("give the output the source's file times");
    }
    if (actions.count(VAConvertProcessShared::kDeleteSourceFile) != 0) {
        XStrList deleted;
        for (const XStr& source : sourcesOf(entry)) {
            // The run never deletes a source that is its own destination.
            if (!VAConvertProcessShared::isSameFile(source, entry.urlTo)) {
                deleted.push_back(VADisplayText::quoted(source));
            }
        }
        if (!deleted.empty()) {
            parts.push_back("delete " + XStr::join(deleted, ", "));
        }
    }
    return parts.empty() ? XStr() : "# After a clean run: " + XStr::join(parts, "; ");
}

XStr existingLine(const XStr& to, VCliDryRun::Options::Existing action) {
    const char* outcome = "";
    switch (action) {
        case VCliDryRun::Options::Existing::kReplace:
            outcome = "replace it";
            break;
        case VCliDryRun::Options::Existing::kSkip:
            outcome = "skip it";
            break;
        case VCliDryRun::Options::Existing::kRename:
            outcome = "add the date to the new file's name";
            break;
        case VCliDryRun::Options::Existing::kAsk:
            outcome = "ask what to do with it";
            break;
    }
    return "# " + VADisplayText::quoted(to) + " exists: the run would " + outcome;
}

}  // namespace

std::vector<VCliDryRun::Line> VCliDryRun::commandLines(
    const std::shared_ptr<VAConversionSpec>& spec, const Options& options) {
    const VMCFFmpegCommandInput input = VMCFFmpegCommandInput::forLocatedFFmpeg();
    return commandLines(spec, input.ffmpegPath, input.debugLog, input.codecMap, options);
}

std::vector<VCliDryRun::Line> VCliDryRun::commandLines(
    const std::shared_ptr<VAConversionSpec>& spec, const XStr& ffmpegPath, bool debugLog,
    const CodecMap& codecMap, const Options& options) {
    const std::unique_ptr<VMCBatch> batch = VMCBatch::initWithSpec(spec);
    unsigned listFiles = 0;
    std::vector<Line> lines;
    for (const VAConversionEntry& entry : spec->entries) {
        if (entry.justCopy) {
            // A plain copy starts no FFmpeg; the run copies the file itself.
            const XStr from = entry.convertFrom ? entry.convertFrom->urlForConversion : XStr();
            lines.push_back({options.text ? "copy " + VACommandText::Quote(from) + " " +
                                                VACommandText::Quote(entry.urlTo)
                                          : "# copy " + VACommandText::ShellQuote(from) + " " +
                                                VACommandText::ShellQuote(entry.urlTo),
                             false});
        } else {
            // The argument record exactly as the scheduler makes it for the run.
            const VMCProcessArg arg = batch->processArgFor(entry);
            VMCFFmpegCommandInput input;
            input.ffmpegPath = ffmpegPath;
            input.progressPath = kProgressPath;
            input.debugLog = debugLog;
            // The name the run's list file would get, without making it.
            input.makeListFile = [&listFiles] {
                return XTempFile::Folder() + XStr::format("vavXTempFile-%u-%u.txt",
                                                          static_cast<unsigned>(getpid()),
                                                          ++listFiles);
            };
            input.codecMap = codecMap;
            const VMCFFmpegCommand command = VMCFFmpegCommand::build(arg, input);
            if (!command.error.empty()) {
                lines.push_back({command.error, true});
                continue;
            }
            // The run starts FFmpeg with exactly this split of the text.
            lines.push_back(
                {options.text ? command.commandText
                              : VACommandText::ShellLine(VACommandText::Split(command.commandText)),
                 false});
            const XStr after = postActionLine(entry, arg.specialActions);
            if (!after.empty()) {
                lines.push_back({after, false});
            }
        }
        if (std::find(options.existing.begin(), options.existing.end(), entry.urlTo) !=
            options.existing.end()) {
            lines.push_back({existingLine(entry.urlTo, options.existingAction), false});
        }
    }
    return lines;
}
