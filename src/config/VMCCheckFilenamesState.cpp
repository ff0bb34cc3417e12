#include "VMCCheckFilenamesState.h"

#include <algorithm>

std::size_t VMCCheckFilenamesState::numItemsChecked() const {
    return static_cast<std::size_t>(std::count_if(
        entries.begin(), entries.end(), [](const VMCCheckFileNamesEntry& e) { return e.checked; }));
}

std::shared_ptr<VAConversionSpec> VMCCheckFilenamesState::conversionSpec(
    const VMCProfile& profile, const std::optional<VAEncoderDesc>& encoder) const {
    auto spec = std::make_shared<VAConversionSpec>();
    spec->dspEffects = profile.dspEffects();
    spec->Encoder = encoder;
    spec->EncoderArgsV2 = profile.encoderArgsV2().copy();
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
