#include "VMCBatch.h"

#include "VAConvertProcessShared.h"
#include "VAElemValueList.h"

VMCBatch::VMCBatch(std::shared_ptr<const VAConversionSpec> spec) : mSpec(std::move(spec)) {}

std::unique_ptr<VMCBatch> VMCBatch::initWithSpec(std::shared_ptr<const VAConversionSpec> spec) {
    return std::make_unique<VMCBatch>(std::move(spec));
}

int64_t VMCBatch::userThreadCount() const {
    for (const VADSPSpec& dsp : mSpec->dspEffects) {
        if (dsp.name != kMultiCPUForce) {
            continue;
        }
        const VAElemValueList list(dsp.args);
        if (list.containsElem(kThreadCountElement)) {
            return list.findIntValue(kThreadCountElement);
        }
    }
    return 0;
}

XStr VMCBatch::argsOfDSP(const VADSPSpec& dsp) {
    if (dsp.name != kMultiCPUForce) {
        return dsp.args;
    }
    // Only FFmpeg's own "threads" limit is an FFmpeg option; the encoder count is ours.
    VAElemValueList list(dsp.args);
    list.clearElem(kThreadCountElement);
    return list.mergeToString_alternate();
}

void VMCBatch::mergeDSP(const std::vector<VADSPSpec>& dsps, XStrList& into) {
    for (const VADSPSpec& dsp : dsps) {
        XStr args = argsOfDSP(dsp);
        if (!args.empty()) {
            into.push_back(std::move(args));
        }
    }
}

XStr VMCBatch::commandLine() const {
    XStrList pieces;
    mergeDSP(mSpec->dspEffects, pieces);
    XStr encoderArgs = mSpec->EncoderArgsV2.strArgs;
    if (!encoderArgs.empty()) {
        XStrList words = encoderArgs.split(U' ');
        bool marked = false;
        for (const XStr& w : words) {
            marked = marked || w == "-PNGOPTIMIZE";
        }
        if (marked) {
            XStrList kept;
            for (XStr& w : words) {
                if (w != "-PNGOPTIMIZE") {
                    kept.push_back(std::move(w));
                }
            }
            encoderArgs = XStr::join(kept, " ");
        }
        if (!encoderArgs.empty()) {
            pieces.push_back(encoderArgs);
        }
    }
    return XStr::join(pieces, " ");
}

XStr VMCBatch::multiCommandLine(const VMCMultiEncEntry& entry) const {
    XStrList pieces;
    mergeDSP(mSpec->dspEffects, pieces);
    mergeDSP(entry.dspEffects, pieces);
    if (!entry.encoderArgsV2.strArgs.empty()) {
        pieces.push_back(entry.encoderArgsV2.strArgs);
    }
    return XStr::join(pieces, " ");
}

std::set<XStr> VMCBatch::prepareSpecialActions(const VMCMultiEncEntry* entry) const {
    const std::set<XStr>& names = VAConvertProcessShared::specialActionNames();
    std::set<XStr> actions;
    auto collect = [&](const std::vector<VADSPSpec>& chain) {
        for (const VADSPSpec& dsp : chain) {
            if (names.count(dsp.name) != 0) {
                actions.insert(dsp.name);
            }
        }
    };
    collect(mSpec->dspEffects);
    if (entry != nullptr) {
        collect(entry->dspEffects);
    }
    return actions;
}

VMCProcessArg VMCBatch::processArgFor(const VAConversionEntry& entry) const {
    VMCProcessArg arg;
    arg.srcFrom = entry.convertFrom;
    arg.urlTo = entry.urlTo;
    arg.inputArgs = entry.convertFrom ? entry.convertFrom->inputOptions : std::nullopt;
    arg.args = entry.multiEncData ? multiCommandLine(*entry.multiEncData) : commandLine();
    arg.specialActions = prepareSpecialActions(entry.multiEncData.get());
    arg.overwriteExisting = entry.overwriteExisting;
    return arg;
}
