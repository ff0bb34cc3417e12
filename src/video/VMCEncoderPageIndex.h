// Which settings page edits which encoder, by the encoder's exact name.
#pragma once

#include <functional>
#include <memory>

#include "VMCEncoderPage.h"
#include "XStr.h"

class VMCEncoderPageIndex {
public:
    using Factory = std::function<std::unique_ptr<VMCEncoderPage>(VMCEncoderPageHost*)>;

    // A new page bound to the host, not loaded yet (viewDidLoad reads or fills the host's
    // text); null for an unknown name and without a host.
    static std::unique_ptr<VMCEncoderPage> createFor(const XStr& name, VMCEncoderPageHost* host);
    // Whether createFor makes a page for the name.
    static bool hasPageFor(const XStr& name);
    // A page whose class lives in a layer above this one ("[Multi Encoder]"'s, which edits
    // a configuration of other encoders) joins the table here; a later registration of
    // the same name replaces the earlier one.
    static void registerPage(const XStr& name, Factory make);
};
