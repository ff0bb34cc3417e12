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
                n.problem = "its tags cannot be read: " + probed[i].problem.utf8();
                continue;
            }
            info = probed[i].info.get();
        }
        n.destination = naming.fullPathForSource(n.source, info, extensionOf(n.source));
        if (n.destination) {
            continue;
        }
        if (naming.usingDestinationFolder()) {
            VMCLocationDescriptor folder = naming.destination();
            n.problem = folder.resolve()
                            ? "no name within the length limits fits under " +
                                  VCliText::quoted(folder.url())
                            : "the folder " + VCliText::quoted(folder.url()) + " cannot be used";
        } else {
            n.problem = "no name within the length limits fits in " +
                        VCliText::quoted(XPath::folderOf(n.source));
        }
    }
    return named;
}
