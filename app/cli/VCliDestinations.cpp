#include "VCliDestinations.h"

#include "VCliProbeList.h"
#include "VCliText.h"
#include "XPath.h"

std::vector<VCliDestinations::Named> VCliDestinations::name(
    VMCFileNaming& naming, const XStrList& sources,
    const std::function<XStr(const XStr&)>& extensionOf) {
    std::vector<VCliProbeList::Probed> probed;
    if (naming.needsMetaFromFiles()) {
        probed = VCliProbeList::probeAll(sources);
    }
    std::vector<Named> named(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        Named& n = named[i];
        n.source = sources[i];
        const VAMediaFileInfo* info = nullptr;
        if (!probed.empty()) {
            if (!probed[i].problem.empty()) {
                n.problem = unreadProblem(probed[i].problem);
                continue;
            }
            info = probed[i].info.get();
        }
        n.destination = naming.fullPathForSource(n.source, info, extensionOf(n.source));
        if (!n.destination) {
            n.problem = unnamedProblem(naming, n.source);
        }
    }
    return named;
}

std::string VCliDestinations::unnamedProblem(const VMCFileNaming& naming, const XStr& source) {
    if (naming.usingDestinationFolder()) {
        VMCLocationDescriptor folder = naming.destination();
        return folder.resolve()
                   ? "no name within the length limits fits under " + VCliText::quoted(folder.url())
                   : "the folder " + VCliText::quoted(folder.url()) + " cannot be used";
    }
    return "no name within the length limits fits in " + VCliText::quoted(XPath::folderOf(source));
}

std::string VCliDestinations::unreadProblem(const XStr& probeProblem) {
    return "its tags cannot be read: " + probeProblem.utf8();
}
