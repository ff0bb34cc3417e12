// One row of the list of template elements and functions that the naming dialog offers:
// the text it inserts and its explanation. A row without explanation is a heading (or, with
// no name either, a spacer) and inserts nothing.
#pragma once

#include <vector>

#include "XStr.h"

class VMCFileNamingElement {
public:
    // A blank spacer row.
    VMCFileNamingElement() = default;
    VMCFileNamingElement(XStr name, XStr description)
        : mName(std::move(name)), mDescription(std::move(description)) {}

    // The whole catalogue in display order, built afresh on each call.
    static std::vector<VMCFileNamingElement> elements();

    const XStr& name() const { return mName; }
    const XStr& description() const { return mDescription; }
    bool isLabel() const { return mDescription.empty(); }

private:
    XStr mName;
    XStr mDescription;
};
