#include "VMCCheckFilenamesState.h"

#include <algorithm>

std::size_t VMCCheckFilenamesState::numItemsChecked() const {
    return static_cast<std::size_t>(std::count_if(
        entries.begin(), entries.end(), [](const VMCCheckFileNamesEntry& e) { return e.checked; }));
}

std::shared_ptr<VAConversionSpec> VMCCheckFilenamesState::conversionSpec(
    const VMCProfile& profile, const std::optional<VAEncoderDesc>& encoder) const {
    VAConversionSpec base;
    base.dspEffects = profile.dspEffects();
    base.Encoder = encoder;
    base.EncoderArgsV2 = profile.encoderArgsV2().copy();
    return conversionSpec(base);
}

VMCCheckFilenamesState VMCCheckFilenamesState::fromConversion(const VAConversionSpec& spec,
                                                              const XStrList& existing) {
    VMCCheckFilenamesState state;
    state.multiCPU = spec.multiCPU;
    for (const VAConversionEntry& entry : spec.entries) {
        VMCCheckFileNamesEntry check;
        check.source2 = entry.convertFrom;
        check.destination = entry.urlTo;
        check.justCopy = entry.justCopy;
        check.sourceSizeBytes = entry.sourceSizeBytes;
        check.multiEncData = entry.multiEncData;
        state.entries.push_back(std::move(check));
    }
    state.alreadyExists.insert(existing.begin(), existing.end());
    return state;
}

std::shared_ptr<VAConversionSpec> VMCCheckFilenamesState::conversionSpec(
    const VAConversionSpec& base) const {
    auto spec = std::make_shared<VAConversionSpec>();
    spec->dspEffects = base.dspEffects;
    spec->Encoder = base.Encoder;
    spec->EncoderArgsV2 = base.EncoderArgsV2.copy();
    spec->multiCPU = multiCPU;
    for (const VMCCheckFileNamesEntry& entry : entries) {
        if (!entry.checked) {
            continue;
        }
        VAConversionEntry out;
        out.convertFrom = entry.source2;
        out.urlTo = entry.destination;
        out.justCopy = entry.justCopy;
        out.sourceSizeBytes = entry.sourceSizeBytes;
        out.multiEncData = entry.multiEncData;
        out.overwriteExisting = alreadyExists.count(entry.destination) != 0;
        spec->entries.push_back(std::move(out));
    }
    return spec;
}
