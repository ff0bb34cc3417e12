// The page tables of the effect names: each name with the function that makes its page.
#pragma once

#include <map>
#include <memory>

#include "VMCDSPPage.h"
#include "XStr.h"

struct VVCDSPPageMaker {
    using Make = std::unique_ptr<VMCDSPPage> (*)();
    using Table = std::map<XStr, Make>;

    template <typename Page>
    static std::unique_ptr<VMCDSPPage> make() {
        return std::make_unique<Page>();
    }

    // The table's page for the name, or null.
    static std::unique_ptr<VMCDSPPage> create(const Table& table, const XStr& name) {
        const auto found = table.find(name);
        return found != table.end() ? found->second() : nullptr;
    }
};
