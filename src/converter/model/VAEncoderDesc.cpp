#include "VAEncoderDesc.h"

#include <algorithm>

std::unique_ptr<VAEncoderInstance> VAEncoderDesc::instantiate() const {
    return std::make_unique<VAEncoderInstance>();
}

VAEncoderDesc VAEncoderDesc::makeVideoCodec(const XStr& name, const XStr& ext) {
    VAEncoderDesc desc;
    desc.outputsFiles = true;
    desc.name = name;
    desc.formatExtension = ext;
    return desc;
}

VAEncoderDesc VAEncoderDesc::makeMultiEncoder() {
    VAEncoderDesc desc;
    desc.isSpecialPurpose = true;
    desc.name = strMultiEncoder;
    return desc;
}

const VAEncoderDesc* VAEncoderDesc::findEncoder(const std::vector<VAEncoderDesc>& encoders,
                                                const XStr& name) {
    for (const VAEncoderDesc& desc : encoders) {
        if (desc.name == name) {
            return &desc;
        }
    }
    return nullptr;
}

std::optional<XStr> VAEncoderDesc::formatExtensionOf(const std::vector<VAEncoderDesc>& encoders,
                                                     const XStr& name) {
    const VAEncoderDesc* desc = findEncoder(encoders, name);
    if (desc == nullptr) {
        return std::nullopt;
    }
    return desc->formatExtension;
}

std::vector<VAEncoderDesc> VAEncoderDesc::listEncoders_dropSpecial(
    const std::vector<VAEncoderDesc>& encoders) {
    std::vector<VAEncoderDesc> out;
    std::copy_if(encoders.begin(), encoders.end(), std::back_inserter(out),
                 [](const VAEncoderDesc& desc) { return !desc.isSpecialPurpose; });
    return out;
}

void VAEncoderDesc::sortEncoderNames(XStrList& names) {
    std::stable_sort(names.begin(), names.end(), XStrLessNoCase());
}

std::vector<VAEncoderPickerItem> VAEncoderDesc::encoderPickerItems(
    const std::vector<VAEncoderDesc>& encoders, const std::set<XStr>& suppress) {
    bool metMulti = false;
    XStrList ordinary;
    XStrList special;
    for (const VAEncoderDesc& desc : encoders) {
        if (suppress.contains(desc.name)) {
            continue;
        }
        if (desc.isMultiEncoder()) {
            // It heads the picker; listing it again among the special ones would show it
            // twice.
            metMulti = true;
        } else if (desc.isSpecialPurpose) {
            special.push_back(desc.name);
        } else {
            ordinary.push_back(desc.name);
        }
    }
    sortEncoderNames(ordinary);
    sortEncoderNames(special);

    std::vector<VAEncoderPickerItem> items;
    if (metMulti) {
        items.push_back(VAEncoderPickerItem{XStr(strMultiEncoder)});
        items.push_back(VAEncoderPickerItem::makeSeparator());
    }
    for (const XStr& name : ordinary) {
        items.push_back(VAEncoderPickerItem{name});
    }
    items.push_back(VAEncoderPickerItem::makeSeparator());
    for (const XStr& name : special) {
        items.push_back(VAEncoderPickerItem{name});
    }
    return items;
}
