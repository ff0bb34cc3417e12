// Effect pages as a user meets them: made for a catalogue name, handed the empty text of a
// new effect, then set control by control.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "VMCDSPPage.h"
#include "VMCDSPPageIndex.h"

// A new effect of that name, at its defaults.
inline std::unique_ptr<VMCDSPPage> newEffect(const XStr& name) {
    std::unique_ptr<VMCDSPPage> page = VMCDSPPageIndex::createFor(name);
    if (page) {
        page->setDspArgs(XStr());
    }
    return page;
}

// An effect page reading a stored text.
inline std::unique_ptr<VMCDSPPage> storedEffect(const XStr& name, const XStr& args) {
    std::unique_ptr<VMCDSPPage> page = VMCDSPPageIndex::createFor(name);
    if (page) {
        page->setDspArgs(args);
    }
    return page;
}

// Each "id=value" in order, as the user's actions; the first failure's message, or empty.
inline XStr applySettings(VMCPage& page, const XStrList& settings) {
    for (const XStr& setting : settings) {
        const std::size_t eq = setting.find(U'=');
        XStr error;
        if (!page.setControl(setting.left(eq), eq == XStr::npos ? XStr() : setting.substr(eq + 1),
                             &error)) {
            return setting + ": " + error;
        }
    }
    return {};
}

// What each control shows: its value, a slider's label, and whether it can be changed.
inline std::map<XStr, XStr> shownValues(const VMCPage& page) {
    std::map<XStr, XStr> shown;
    for (const VVCControl& c : page.pageView()) {
        XStr text = c.kind == VVCControl::Kind::kLabel ? c.text : c.currentValueText();
        if (!c.valueText.empty()) {
            text += " | " + c.valueText;
        }
        shown[c.id] = text + (c.enabled ? "" : " (disabled)");
    }
    return shown;
}

// One control's shown value.
inline XStr shownValue(const VMCPage& page, const XStr& id) {
    const std::map<XStr, XStr> shown = shownValues(page);
    const auto found = shown.find(id);
    return found != shown.end() ? found->second : XStr("<no control " + id + ">");
}
