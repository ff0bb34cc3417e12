// The "--set" settings of a command line, each sent to the page it names: "ID=VALUE" to the
// encoder's page, "NAME.ID=VALUE" to the effect NAME, "NAME#N.ID=VALUE" to the N-th effect
// of that name in the chain.
#pragma once

#include <string>
#include <vector>

#include "XStr.h"

namespace VCliPageSettings {

struct Effect {
    // As typed; the pages know the catalogue's spelling.
    XStr name;
    // "ID=VALUE", in the order given.
    XStrList settings;
};

struct Split {
    XStrList encoderSettings;
    std::vector<Effect> effects;
};

// Effects in the order given, each with its settings. False with a message for a setting
// that names an effect not in the list, or one of several of that name without "#N".
// isEffectName tells the catalogue's effect names from encoder controls.
bool split(const XStrList& effectNames, const XStrList& settings,
           bool (*isEffectName)(const XStr& name), Split& out, std::string& error);

}  // namespace VCliPageSettings
