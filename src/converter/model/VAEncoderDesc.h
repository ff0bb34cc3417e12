// The description of one output format (encoder). Encoders are found by their display
// name, compared exactly; the catalogue that lists them lives above this layer, so the
// look-ups take the list to search.
#pragma once

#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "VAEncoderInstance.h"
#include "VAEncoderPickerItem.h"
#include "XStr.h"

struct VAEncoderDesc {
    static constexpr const char* strMultiEncoder = "[Multi Encoder]";

    bool outputsFiles = false;
    bool isSpecialPurpose = false;
    bool disableConvertToFolder = false;
    bool disableSameFolder = false;
    XStr path;
    XStr name;
    // With the leading point; empty when the extension comes from elsewhere.
    XStr formatExtension;

    bool isMultiEncoder() const { return name == strMultiEncoder; }
    std::unique_ptr<VAEncoderInstance> instantiate() const;

    static VAEncoderDesc makeVideoCodec(const XStr& name, const XStr& ext);
    static VAEncoderDesc makeMultiEncoder();

    // The first encoder of exactly that name (case counts), or null.
    static const VAEncoderDesc* findEncoder(const std::vector<VAEncoderDesc>& encoders,
                                            const XStr& name);
    static std::optional<XStr> formatExtensionOf(const std::vector<VAEncoderDesc>& encoders,
                                                 const XStr& name);
    static std::vector<VAEncoderDesc> listEncoders_dropSpecial(
        const std::vector<VAEncoderDesc>& encoders);
    // ASCII case ignored; names equal but for case keep their order.
    static void sortEncoderNames(XStrList& names);
    // The rows of an encoder picker: the multi encoder and a separator when present, the
    // ordinary encoders, a separator, the other special-purpose encoders; each group
    // sorted, suppressed names left out.
    static std::vector<VAEncoderPickerItem> encoderPickerItems(
        const std::vector<VAEncoderDesc>& encoders, const std::set<XStr>& suppress);

    friend bool operator==(const VAEncoderDesc&, const VAEncoderDesc&) = default;
};
