#include "VMCMultiEncConfig.h"

#include <map>

#include "VADSPList.h"
#include "VMCFileNaming.h"
#include "VVCCodecs.h"

namespace {

const XStr kQuote("\"");

XStr hideQuotes(const XStr& text) {
    return text.replaced(kQuote, VMCMultiEncConfig::kQuoteStandIn);
}

XStr showQuotes(const XStr& text) {
    return text.replaced(VMCMultiEncConfig::kQuoteStandIn, kQuote);
}

// The naming an entry's options describe.
VMCFileNaming namingFromOptions(const VAElemValueList& options) {
    if (options.containsElem("parentnaming")) {
        return VMCFileNaming::namingUseParentConfig();
    }
    VMCFileNaming naming;
    const XStr folder = options.findValue("tofolder", XStr());
    const std::optional<std::vector<uint8_t>> bookmark = options.findBinValue("tofolderbookmark");
    bool destination = true;
    if (bookmark && !bookmark->empty()) {
        naming.setDestination(VMCLocationDescriptor::withBookmark(
            *bookmark, options.findValue("tofolderfriendly", XStr()), folder));
    } else if (!folder.empty()) {
        naming.setDestination(VMCLocationDescriptor::withFolderPath(folder));
    } else {
        destination = false;
    }
    if (!destination) {
        naming.setFileNamingType(VMCFileNaming::kSameFolder);
    } else if (const std::optional<XStr> format = options.findValue("dynamic")) {
        naming.setFileNamingType(VMCFileNaming::kDynamic);
        naming.setDynamicFormat(*format);
    } else {
        naming.setFileNamingType(VMCFileNaming::kSingleFolder);
    }
    return naming;
}

}  // namespace

VMCMultiEncConfig::VMCMultiEncConfig(const VMCMultiEncConfig& other) : mMultiCPU(other.mMultiCPU) {
    for (const VMCMultiEncEntry& entry : other.mEntries) {
        mEntries.push_back(entry.copy());
    }
}

VMCMultiEncConfig& VMCMultiEncConfig::operator=(const VMCMultiEncConfig& other) {
    if (this != &other) {
        VMCMultiEncConfig copy(other);
        *this = std::move(copy);
    }
    return *this;
}

VMCMultiEncEntry VMCMultiEncConfig::newEntry(const VAEncoderDesc& encoder) {
    VMCMultiEncEntry entry;
    entry.encoder = encoder;
    entry.fileNaming = std::make_shared<VMCFileNaming>();
    tellNaming(entry);
    return entry;
}

void VMCMultiEncConfig::tellNaming(VMCMultiEncEntry& entry) {
    if (!entry.fileNaming) {
        entry.fileNaming = std::make_shared<VMCFileNaming>();
    }
    entry.fileNaming->setEncoderName(entry.encoder.name);
    entry.fileNaming->setEncoderExtra(entry.encoderArgsV2.strArgs);
    entry.fileNaming->setDspEffectsString(VADSPList::dspsToString(entry.dspEffects));
}

VMCMultiEncConfig VMCMultiEncConfig::fromString(const XStr& text) {
    return fromString(text, VVCCodecs::listEncoders());
}

VMCMultiEncConfig VMCMultiEncConfig::fromString(const XStr& text,
                                                const std::vector<VAEncoderDesc>& encoders) {
    const VAElemValueList list(text);
    // Without the special-purpose encoders, so that a multi encoder never nests.
    std::map<XStr, VAEncoderDesc> byName;
    for (const VAEncoderDesc& encoder : VAEncoderDesc::listEncoders_dropSpecial(encoders)) {
        byName.emplace(encoder.name, encoder);
    }
    VMCMultiEncConfig config;
    for (unsigned i = 1;; ++i) {
        const std::optional<XStr> value = list.findValue(XStr::format("enc%u", i));
        if (!value) {
            break;
        }
        const std::size_t eq = value->find(U'=');
        if (eq == XStr::npos) {
            continue;
        }
        const auto found = byName.find(value->left(eq));
        if (found == byName.end()) {
            continue;
        }
        VMCMultiEncEntry entry = newEntry(found->second);
        entry.encoderArgsV2.strArgs = showQuotes(value->substr(eq + 1));
        if (const std::optional<XStr> options = list.findValue(XStr::format("encMopt%u", i))) {
            const VAElemValueList parsed(showQuotes(*options));
            entry.encoderArgsV2.customFormatExt = parsed.findValue("customFormatExt", XStr());
            const XStr prefix(kPrivatePrefix);
            for (const VAElemValue& pair : parsed.lstElementValue()) {
                if (pair.element.startsWithNoCase(prefix)) {
                    entry.encoderArgsV2.frontendData[pair.element.substr(prefix.size())] =
                        pair.value;
                }
            }
            *entry.fileNaming = namingFromOptions(parsed);
        }
        if (const std::optional<XStr> effects = list.findValue(XStr::format("encDSP%u", i))) {
            for (VADSPSpec& dsp : VADSPList::stringToDSPs(showQuotes(*effects))) {
                entry.dspEffects.push_back(std::move(dsp));
            }
        }
        tellNaming(entry);
        config.mEntries.push_back(std::move(entry));
    }
    config.mMultiCPU = !list.containsElem("nomulti");
    return config;
}

VAElemValueList VMCMultiEncConfig::entryOptions(const VMCMultiEncEntry& entry) {
    VAElemValueList options;
    if (!entry.encoderArgsV2.customFormatExt.empty()) {
        options.addElem("customFormatExt", entry.encoderArgsV2.customFormatExt);
    }
    for (const auto& [key, value] : entry.encoderArgsV2.frontendData) {
        options.addElem(XStr(kPrivatePrefix) + key, value);
    }
    if (!entry.fileNaming) {
        return options;
    }
    const VMCFileNaming& naming = *entry.fileNaming;
    const uint32_t type = naming.fileNamingType();
    if (type == VMCFileNaming::kUseParent) {
        options.addElem("parentnaming", XStr("1"));
    } else if (type == VMCFileNaming::kSingleFolder || type == VMCFileNaming::kDynamic) {
        const VMCLocationDescriptor& destination = naming.destination();
        options.addElem("tofolder", destination.url());
        if (!destination.canStoreAsURL() && !destination.bookmark().empty()) {
            options.addElem("tofolderbookmark", destination.bookmark());
            options.addElem("tofolderfriendly", destination.friendlyName());
        }
        if (type == VMCFileNaming::kDynamic) {
            options.addElem("dynamic", naming.dynamicFormat());
        }
    }
    return options;
}

XStr VMCMultiEncConfig::toString() const {
    VAElemValueList list;
    unsigned i = 0;
    for (const VMCMultiEncEntry& entry : mEntries) {
        ++i;
        list.addElem(XStr::format("enc%u", i),
                     entry.encoder.name + "=" + hideQuotes(entry.encoderArgsV2.strArgs));
        const VAElemValueList options = entryOptions(entry);
        if (options.count() != 0) {
            list.addElem(XStr::format("encMopt%u", i), hideQuotes(options.mergeToString()));
        }
        if (!entry.dspEffects.empty()) {
            list.addElem(XStr::format("encDSP%u", i),
                         hideQuotes(VADSPList::dspsToString(entry.dspEffects)));
        }
    }
    if (!mMultiCPU) {
        list.addElem("nomulti");
    }
    return list.mergeToString();
}
