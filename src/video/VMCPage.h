// A settings page as a model: it owns its settings, declares its controls, and takes the
// user's actions as calls. Encoder and effect pages both build on it.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "VVCControl.h"
#include "XStr.h"

// A control's new value, already checked against the control.
struct VVCControlValue {
    int integer = 0;  // slider position, choice index, check box 0/1
    double number = 0;
    XStr text;
};

class VMCPage {
public:
    using URLOpener = std::function<void(const XStr& url)>;

    virtual ~VMCPage() = default;

    // The controls with their current state.
    virtual std::vector<VVCControl> pageView() const = 0;

    // One user action on a control, the value written as text: a slider's or a choice's
    // value as the control shows it (see VVCControlMatch) or its position "#N" counted from
    // 1 (a slider without shown values also takes the position itself, a choice its index
    // from 0), on/off (also true/false, yes/no, 1/0), a number, a text or a path; a button
    // takes no value. "sheet.id" reaches a control of
    // the sheet a button opens, which is then confirmed. False, with a message that names
    // what would be valid, when the control or the value is not.
    bool setControl(const XStr& id, const XStr& value, XStr* error = nullptr);

    // The sheet a button opens, or nothing; closeSheet ends it (ok: its settings are taken).
    virtual VMCPage* openSheet(const XStr& /*id*/) { return nullptr; }
    virtual void closeSheet(const XStr& /*id*/, bool /*ok*/) {}

    // Every control, sheets' controls included with "sheet." in front of their ids.
    std::vector<VVCControl> allControls();

    // Checks a value against a control; the message says why not.
    static bool parseValue(const VVCControl& control, const XStr& value, VVCControlValue& out,
                           XStr* error);
    // For a value a slider or a choice does not take: its values one per line, or their
    // range when there are more than kListedValues.
    static XStr valuesError(const VVCControl& control, const XStr& value);

    static constexpr std::size_t kListedValues = 30;

    // How a page's help button opens its documentation: the view opens it in the web
    // browser; without an opener the button does nothing.
    void setURLOpener(URLOpener opener) { mOpenURL = std::move(opener); }

protected:
    // Called by setControl once the value is valid for the control.
    virtual void applyControl(const VVCControl& control, const VVCControlValue& value) = 0;
    void openURL(const XStr& url) const {
        if (mOpenURL) {
            mOpenURL(url);
        }
    }

private:
    URLOpener mOpenURL;
};
