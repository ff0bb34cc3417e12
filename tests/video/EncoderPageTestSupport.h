// An encoder page of the catalogue on a plain host, driven the way a user does.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "VMCEncoderPageIndex.h"

struct OpenedPage {
    VMCEncoderArgsHost host;
    std::unique_ptr<VMCEncoderPage> page;

    // The page of a catalogue encoder, loaded from the stored text.
    explicit OpenedPage(const XStr& encoder, const XStr& stored = XStr())
        : host(VAEncoderArgs{stored, {}, {}}),
          page(VMCEncoderPageIndex::createFor(encoder, &host)) {
        EXPECT_NE(page, nullptr) << encoder;
        if (page) {
            page->viewDidLoad();
        }
    }

    XStr args() const { return host.encoderArgs(); }

    // One user action that must succeed; answers the host's text after it.
    XStr set(const XStr& id, const XStr& value) {
        XStr error;
        EXPECT_TRUE(page->setControl(id, value, &error)) << id << "=" << value << ": " << error;
        return args();
    }

    // The control of that id; "sheet.id" opens and cancels the sheet to look.
    VVCControl control(const XStr& id) const {
        const std::vector<VVCControl> controls =
            id.contains(U'.') ? page->allControls() : page->pageView();
        for (const VVCControl& c : controls) {
            if (c.id == id) {
                return c;
            }
        }
        ADD_FAILURE() << "no control " << id;
        return {};
    }
    XStr shown(const XStr& id) const { return control(id).currentValueText(); }
};
