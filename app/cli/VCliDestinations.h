// The destination of each source, as the naming object computes it. When the naming reads
// the sources' tags or properties, the sources are probed first (through the probe cache,
// several at once); otherwise ffprobe never starts.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "VMCFileNaming.h"
#include "XStr.h"

namespace VCliDestinations {

struct Named {
    XStr source;
    std::optional<XStr> destination;
    // Why there is no destination.
    std::string problem;
};

// In source order. extensionOf gives the output's extension of a source, with its point.
std::vector<Named> name(VMCFileNaming& naming, const XStrList& sources,
                        const std::function<XStr(const XStr&)>& extensionOf);
// Why the naming gives a source no destination.
std::string unnamedProblem(const VMCFileNaming& naming, const XStr& source);
// Why a source whose tags a naming needs has none.
std::string unreadProblem(const XStr& probeProblem);

}  // namespace VCliDestinations
