#include "VADSPMenu.h"

#include "VADSPLogos.h"
#include "VALocateFFmpeg.h"
#include "VVCDSPs.h"

std::vector<VADSPDesc> VADSPMenu::listDSPs() {
    return listDSPs(VALocateFFmpeg::gplEncodersOffered());
}

std::vector<VADSPDesc> VADSPMenu::listDSPs(bool gplOffered) {
    return VVCDSPs::list(gplOffered);
}

std::vector<VADSPMenu::Item> VADSPMenu::items() {
    return items(VALocateFFmpeg::gplEncodersOffered());
}

std::vector<VADSPMenu::Item> VADSPMenu::items(bool gplOffered) {
    std::vector<Item> out;
    for (const VADSPDesc& desc : listDSPs(gplOffered)) {
        if (!desc.hidden) {
            out.push_back({Item::Kind::kEffect, desc.name, VADSPLogos::get(desc.name)});
        }
    }
    if (!gplOffered) {
        out.push_back({Item::Kind::kSeparator, {}, {}});
        out.push_back({Item::Kind::kInstallMissing, kInstallMissing, {}});
    }
    return out;
}
