// The add-effect menu of an effect-chain editor: every effect that may be added, in name
// order with its image, and, without the GPL filters, an item to install them.
#pragma once

#include <vector>

#include "VADSPDesc.h"
#include "XStr.h"

class VADSPMenu {
public:
    struct Item {
        enum class Kind { kEffect, kSeparator, kInstallMissing };
        Kind kind = Kind::kEffect;
        XStr title;
        // The effect's image; empty for the other kinds.
        XStr logoPath;

        friend bool operator==(const Item&, const Item&) = default;
    };

    // Every effect of the catalogue in name order, hidden ones included.
    static std::vector<VADSPDesc> listDSPs();
    static std::vector<VADSPDesc> listDSPs(bool gplOffered);

    static std::vector<Item> items();
    static std::vector<Item> items(bool gplOffered);

    static constexpr const char* kInstallMissing = "Install missing effects";
};
