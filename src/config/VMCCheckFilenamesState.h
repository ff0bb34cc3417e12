// The outputs a conversion plans, as the collision check found them: every output with its
// destination, which destinations exist already, and the user's choice per output.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "VAConversionSpec.h"
#include "VMCCheckFileNamesEntry.h"
#include "VMCProfile.h"

struct VMCCheckFilenamesState {
    std::vector<VMCCheckFileNamesEntry> entries;
    std::set<XStr> alreadyExists;
    // Whether the outputs of one source for several encoders may be made at the same time.
    bool multiCPU = true;

    std::size_t numItemsChecked() const;
    // The conversion of the checked outputs, with the profile's effects and arguments. An
    // output that was found to exist and stayed checked is converted over the old file.
    std::shared_ptr<VAConversionSpec> conversionSpec(
        const VMCProfile& profile, const std::optional<VAEncoderDesc>& encoder) const;
    // The same with the encoder, arguments and effects of a conversion made elsewhere.
    std::shared_ptr<VAConversionSpec> conversionSpec(const VAConversionSpec& base) const;
    // The outputs of a conversion as a state; those of the given destinations exist.
    static VMCCheckFilenamesState fromConversion(const VAConversionSpec& spec,
                                                 const XStrList& existing);
};
