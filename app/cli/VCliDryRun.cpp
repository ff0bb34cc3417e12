#include "VCliDryRun.h"

#include <unistd.h>

#include "VACommandText.h"
#include "VMCBatch.h"
#include "VMCFFmpegCommand.h"
#include "XTempFile.h"

std::vector<VCliDryRun::Line> VCliDryRun::commandLines(
    const std::shared_ptr<VAConversionSpec>& spec) {
    const VMCFFmpegCommandInput input = VMCFFmpegCommandInput::forLocatedFFmpeg();
    return commandLines(spec, input.ffmpegPath, input.debugLog, input.codecMap);
}

std::vector<VCliDryRun::Line> VCliDryRun::commandLines(
    const std::shared_ptr<VAConversionSpec>& spec, const XStr& ffmpegPath, bool debugLog,
    const CodecMap& codecMap) {
    const std::unique_ptr<VMCBatch> batch = VMCBatch::initWithSpec(spec);
    unsigned listFiles = 0;
    std::vector<Line> lines;
    for (const VAConversionEntry& entry : spec->entries) {
        if (entry.justCopy) {
            // A plain copy starts no FFmpeg; say what it would do in the same quoting.
            const XStr from = entry.convertFrom ? entry.convertFrom->urlForConversion : XStr();
            lines.push_back(
                {"copy " + VACommandText::Quote(from) + " " + VACommandText::Quote(entry.urlTo),
                 false});
            continue;
        }
        // The argument record exactly as the scheduler makes it for the run.
        const VMCProcessArg arg = batch->processArgFor(entry);
        VMCFFmpegCommandInput input;
        input.ffmpegPath = ffmpegPath;
        input.progressPath = kProgressPath;
        input.debugLog = debugLog;
        // The name the run's list file would get, without making it.
        input.makeListFile = [&listFiles] {
            return XTempFile::Folder() + XStr::format("vavXTempFile-%u-%u.txt",
                                                      static_cast<unsigned>(getpid()), ++listFiles);
        };
        input.codecMap = codecMap;
        const VMCFFmpegCommand command = VMCFFmpegCommand::build(arg, input);
        if (!command.error.empty()) {
            lines.push_back({command.error, true});
        } else {
            lines.push_back({command.commandText, false});
        }
    }
    return lines;
}
