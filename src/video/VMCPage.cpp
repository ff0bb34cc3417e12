#include "VMCPage.h"

#include <cmath>

namespace {

bool parseInt(const XStr& text, int& out) {
    const XStr t = text.trimmed();
    if (t.empty()) {
        return false;
    }
    std::size_t i = (t[0] == U'-' || t[0] == U'+') ? 1 : 0;
    if (i == t.size()) {
        return false;
    }
    for (std::size_t k = i; k < t.size(); ++k) {
        if (t[k] < U'0' || t[k] > U'9') {
            return false;
        }
    }
    out = t.toInt();
    return true;
}

bool parseNumber(const XStr& text, double& out) {
    const XStr t = text.trimmed();
    bool digits = false;
    bool point = false;
    for (std::size_t k = 0; k < t.size(); ++k) {
        const char32_t c = t[k];
        if (c >= U'0' && c <= U'9') {
            digits = true;
        } else if (c == U'.' && !point) {
            point = true;
        } else if (!((c == U'-' || c == U'+') && k == 0)) {
            return false;
        }
    }
    if (!digits) {
        return false;
    }
    out = t.toDouble();
    return true;
}

void fail(XStr* error, const XStr& message) {
    if (error != nullptr) {
        *error = message;
    }
}

}  // namespace

bool VMCPage::parseValue(const VVCControl& control, const XStr& value, VVCControlValue& out,
                         XStr* error) {
    const XStr quotedId = "'" + control.id + "'";
    if (!control.enabled || !control.visible) {
        fail(error, quotedId + " cannot be changed in the current settings");
        return false;
    }
    switch (control.kind) {
        case VVCControl::Kind::kSlider: {
            int n = 0;
            if (!parseInt(value, n) || n < control.minimum || n > control.maximum) {
                fail(error, XStr::format("%s takes a position from %d to %d, not '%s'",
                                         quotedId.utf8().c_str(), control.minimum, control.maximum,
                                         value.utf8().c_str()));
                return false;
            }
            out.integer = n;
            return true;
        }
        case VVCControl::Kind::kChoice: {
            int n = -1;
            if (parseInt(value, n) && n >= 0 &&
                static_cast<std::size_t>(n) < control.items.size()) {
                out.integer = n;
                out.text = control.items[n];
                return true;
            }
            for (std::size_t i = 0; i < control.items.size(); ++i) {
                if (control.items[i].equalsNoCase(value.trimmed())) {
                    out.integer = static_cast<int>(i);
                    out.text = control.items[i];
                    return true;
                }
            }
            XStrList quoted;
            for (const XStr& item : control.items) {
                quoted.push_back("'" + item + "'");
            }
            fail(error,
                 quotedId + " is one of " + XStr::join(quoted, ", ") + ", not '" + value + "'");
            return false;
        }
        case VVCControl::Kind::kCheckBox: {
            const XStr v = value.trimmed().lowerASCII();
            if (v == "on" || v == "true" || v == "yes" || v == "1") {
                out.integer = 1;
                return true;
            }
            if (v == "off" || v == "false" || v == "no" || v == "0") {
                out.integer = 0;
                return true;
            }
            fail(error, quotedId + " is on or off, not '" + value + "'");
            return false;
        }
        case VVCControl::Kind::kNumber: {
            double n = 0;
            if (!parseNumber(value, n) || n < control.numberMinimum || n > control.numberMaximum) {
                fail(error, XStr::format("%s takes a number from %g to %g, not '%s'",
                                         quotedId.utf8().c_str(), control.numberMinimum,
                                         control.numberMaximum, value.utf8().c_str()));
                return false;
            }
            out.number = n;
            return true;
        }
        case VVCControl::Kind::kText:
        case VVCControl::Kind::kFile:
            out.text = value;
            return true;
        case VVCControl::Kind::kButton:
            return true;
        case VVCControl::Kind::kLabel:
            fail(error, quotedId + " is a label and cannot be set");
            return false;
    }
    return false;
}

bool VMCPage::setControl(const XStr& id, const XStr& value, XStr* error) {
    const std::vector<VVCControl> controls = pageView();
    const std::size_t dot = id.find(U'.');
    if (dot != XStr::npos) {
        const XStr sheetId = id.left(dot);
        for (const VVCControl& c : controls) {
            if (c.id == sheetId && c.opensSheet) {
                VMCPage* sheet = openSheet(sheetId);
                if (sheet == nullptr) {
                    fail(error, "'" + sheetId + "' cannot be opened now");
                    return false;
                }
                const bool ok = sheet->setControl(id.substr(dot + 1), value, error);
                closeSheet(sheetId, ok);
                return ok;
            }
        }
    }
    for (const VVCControl& c : controls) {
        if (c.id == id) {
            VVCControlValue parsed;
            if (!parseValue(c, value, parsed, error)) {
                return false;
            }
            applyControl(c, parsed);
            return true;
        }
    }
    XStrList ids;
    for (const VVCControl& c : controls) {
        if (c.kind != VVCControl::Kind::kLabel) {
            ids.push_back(c.id);
        }
    }
    fail(error, "No control '" + id + "'; the controls are: " + XStr::join(ids, ", "));
    return false;
}

std::vector<VVCControl> VMCPage::allControls() {
    std::vector<VVCControl> out;
    for (const VVCControl& c : pageView()) {
        out.push_back(c);
        if (!c.opensSheet) {
            continue;
        }
        if (VMCPage* sheet = openSheet(c.id)) {
            for (VVCControl inner : sheet->pageView()) {
                inner.id = c.id + "." + inner.id;
                out.push_back(inner);
            }
            closeSheet(c.id, false);
        }
    }
    return out;
}
