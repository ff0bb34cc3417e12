// What the launcher's update link asks of its view.
#pragma once

#include "XStr.h"

class VMCUpdateLinkView {
public:
    virtual ~VMCUpdateLinkView() = default;
    // Shows the link with that text (until now it was hidden).
    virtual void showUpdateLink(const XStr& text) = 0;
    // Opens the page in the default browser.
    virtual void openURL(const XStr& url) = 0;
};
