#include "VCliProfileEdit.h"

#include "VALocateFFmpeg.h"
#include "VCliConvertOptions.h"
#include "VCliPageSettings.h"
#include "VCliText.h"
#include "VMCEncoderPageHost.h"
#include "VVCPageText.h"

namespace {

bool isEffect(const XStr& name) {
    return VVCPageText::effectNamed(name, true, true).has_value();
}

}  // namespace

const std::vector<VCliOptionDef>& VCliProfileEdit::table() {
    static const std::vector<VCliOptionDef> kTable = [] {
        std::vector<VCliOptionDef> table = {
            {"set", 's', true, true, "ID=VALUE",
             "set a control of the encoder, or NAME.ID=VALUE of an effect given with --effect\n"
             "(NAME#2.ID=VALUE for the second of that name), in the order given"},
            {"effect", 0, true, true, "NAME", "add an effect ('vantaro effects')",
             VCliValueKind::kEffect},
            {"effects", 0, true, false, "TEXT",
             "replace the effect chain by an effect-chain string (\"\" for none); --effect adds\n"
             "after it"},
            {"ext", 0, true, false, ".EXT", "extension of the outputs of the custom encoder"},
        };
        const std::vector<VCliOptionDef>& naming = VCliNamingOptions::table();
        table.insert(table.end(), naming.begin(), naming.end());
        return table;
    }();
    return kTable;
}

bool VCliProfileEdit::fromParsed(const VCliParsedOptions& parsed, VCliProfileEdit& out,
                                 std::string& error) {
    out = VCliProfileEdit();
    for (const std::string& setting : parsed.values("set")) {
        if (setting.empty() || setting[0] == '=') {
            error =
                "Invalid setting " + VCliText::quoted(setting) + " (use ID=VALUE or NAME.ID=VALUE)";
            return false;
        }
        out.settings.push_back(XStr(setting));
    }
    for (const std::string& name : parsed.values("effect")) {
        out.effectNames.push_back(XStr(name));
    }
    if (const std::optional<std::string> effects = parsed.value("effects")) {
        out.effects = XStr(*effects);
    }
    if (const std::optional<std::string> ext = parsed.value("ext")) {
        XStr e;
        if (!VCliConvertOptions::readExtension(*ext, e, error)) {
            return false;
        }
        out.ext = e;
    }
    if (!VCliNamingOptions::fromParsed(parsed, out.naming, error)) {
        return false;
    }
    out.namingGiven = out.naming.outputDir || out.naming.templ || out.naming.preservePath;
    return true;
}

bool VCliProfileEdit::empty() const {
    return settings.empty() && effectNames.empty() && !effects && !ext && !namingGiven;
}

bool VCliProfileEdit::applyEncoding(const XStr& encoderName, VAEncoderArgs& args, VADSPChain& chain,
                                    std::string& error) const {
    const bool gpl = VALocateFFmpeg::gplEncodersOffered();
    VCliPageSettings::Split split;
    if (!VCliPageSettings::split(effectNames, settings, isEffect, split, error)) {
        return false;
    }
    VADSPChain newChain = effects ? VADSPList::stringToDSPs(*effects) : chain;
    XStr why;
    for (const VCliPageSettings::Effect& effect : split.effects) {
        const std::optional<VADSPSpec> made =
            VVCPageText::effectFor(effect.name, effect.settings, gpl, &why);
        if (!made) {
            error = why.utf8();
            return false;
        }
        newChain.push_back(*made);
    }

    VMCEncoderArgsHost host(args);
    std::unique_ptr<VMCEncoderPage> page =
        VVCPageText::openEncoderPage(encoderName, &host, gpl, &why);
    if (!page || !VVCPageText::applySettings(*page, split.encoderSettings, &why)) {
        error = why.utf8();
        return false;
    }
    page->pageWillClose();
    VAEncoderArgs newArgs = host.encoderArgsV2();
    if (ext) {
        const XStr custom("[Custom FFmpeg settings]");
        if (encoderName != custom) {
            const XStr writes = VVCPageText::outputExtension(encoderName, newArgs);
            error = "The option '--ext' applies only to the encoder " + VCliText::quoted(custom) +
                    "; the encoder " + VCliText::quoted(encoderName) +
                    (writes.empty() ? std::string(" takes no extension")
                                    : " writes " + writes.utf8() + " files");
            return false;
        }
        newArgs.customFormatExt = *ext;
    }
    args = newArgs;
    chain = newChain;
    return true;
}

VMCFileNaming VCliProfileEdit::namingOver(const VMCFileNaming& current) const {
    return namingGiven ? naming.makeNaming() : current;
}
