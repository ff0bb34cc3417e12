// An encoder's settings page: it reads its settings from the host's argument text when it
// loads (or, with an empty text, writes its defaults at once) and writes a complete new
// text to the host after every change.
#pragma once

#include "VMCEncoderPageHost.h"
#include "VMCPage.h"

class VMCEncoderPage : public VMCPage {
public:
    explicit VMCEncoderPage(VMCEncoderPageHost* host) : mHost(host) {}
    // Loads the settings from the host, or fills and writes the defaults.
    virtual void viewDidLoad() = 0;
    // The page is about to go away; a page with pending edits writes them now.
    virtual void pageWillClose() {}

    VMCEncoderPageHost* host() const { return mHost; }

protected:
    VMCEncoderPageHost* mHost;
};
