#include "VADSPList.h"

#include <optional>

#include "VACommandText.h"
#include "VAElemValueList.h"

namespace {

const XStr kQuoteStandIn("{qt}");

}  // namespace

XStr VADSPList::mergeDSPString(const VADSPChain& chain) {
    XStr out;
    unsigned position = 0;
    for (const VADSPSpec& dsp : chain) {
        ++position;
        if (!out.empty()) {
            out += U' ';
        }
        const XStr args = VACommandText::Escape(dsp.args.replaced("\"", kQuoteStandIn));
        out += XStr::format("-dspeffect%u=\"", position);
        out += VACommandText::Escape(dsp.name);
        out += U'=';
        out += args;
        out += U'"';
    }
    return out;
}

VADSPChain VADSPList::splitDSPString(const XStr& text) {
    const VAElemValueList list(text);
    VADSPChain chain;
    for (unsigned position = 1;; ++position) {
        const std::optional<XStr> value = list.findValue(XStr::format("dspeffect%u", position));
        if (!value) {
            break;
        }
        const std::size_t eq = value->find(U'=');
        if (eq == XStr::npos) {
            chain.push_back(VADSPSpec{*value, XStr()});
        } else {
            chain.push_back(
                VADSPSpec{value->left(eq), value->substr(eq + 1).replaced(kQuoteStandIn, "\"")});
        }
    }
    return chain;
}
