// Which settings page edits which encoder, by the encoder's exact name.
#pragma once

#include <memory>

#include "VMCEncoderPage.h"
#include "XStr.h"

class VMCEncoderPageIndex {
public:
    // A new page bound to the host, not loaded yet (viewDidLoad reads or fills the host's
    // text); null for an unknown name, without a host, and for "[Multi Encoder]", whose
    // page is not part of the catalogue yet.
    static std::unique_ptr<VMCEncoderPage> createFor(const XStr& name, VMCEncoderPageHost* host);
    // Whether createFor makes a page for the name.
    static bool hasPageFor(const XStr& name);
};
