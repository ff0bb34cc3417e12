// What a command line changes of a profile: its encoder's controls ("--set ID=VALUE"), the
// effects it adds ("--effect NAME" with "--set NAME.ID=VALUE") or the chain it replaces
// ("--effects TEXT"), the custom encoder's extension and where the outputs go. Used by
// "profile create", "profile set", "convert --profile" and "multi add".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "VADSPList.h"
#include "VAEncoderArgs.h"
#include "VCliNamingOptions.h"
#include "VCliOptionDef.h"
#include "VCliParsedOptions.h"
#include "VMCFileNaming.h"
#include "XStr.h"

struct VCliProfileEdit {
    XStrList settings;
    XStrList effectNames;
    std::optional<XStr> effects;
    std::optional<XStr> ext;
    VCliNamingOptions naming;
    bool namingGiven = false;

    // The options, as "profile set" lists them.
    static const std::vector<VCliOptionDef>& table();
    static bool fromParsed(const VCliParsedOptions& parsed, VCliProfileEdit& out,
                           std::string& error);
    bool empty() const;

    // The encoder's controls set on its page over args (a never-saved profile's empty
    // arguments are the page's defaults first), the effects added to or replacing chain,
    // the extension typed for the custom encoder. False with a message; nothing is changed
    // then.
    bool applyEncoding(const XStr& encoderName, VAEncoderArgs& args, VADSPChain& chain,
                       std::string& error) const;
    // The naming the options give, else the one given.
    VMCFileNaming namingOver(const VMCFileNaming& current) const;
};
