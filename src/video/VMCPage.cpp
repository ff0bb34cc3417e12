#include "VMCPage.h"

#include <cmath>
#include <optional>

#include "VADisplayText.h"
#include "VVCControlMatch.h"

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
    const XStr subject = "The control " + VADisplayText::quoted(control.id);
    const XStr typed = VADisplayText::quoted(value);
    if (!control.enabled || !control.visible) {
        fail(error, subject + " cannot be changed in the current settings");
        return false;
    }
    switch (control.kind) {
        case VVCControl::Kind::kSlider: {
            const auto steps = static_cast<std::size_t>(control.maximum - control.minimum + 1);
            std::optional<int> step;
            int n = 0;
            if (VVCControlMatch::isPosition(value)) {
                step = VVCControlMatch::position(value, steps);
            } else if (control.shownValue) {
                step = VVCControlMatch::find(value, control.values());
            } else if (parseInt(value, n) && n >= control.minimum && n <= control.maximum) {
                step = n - control.minimum;
            }
            if (!step) {
                fail(error, valuesError(control, value));
                return false;
            }
            out.integer = control.minimum + *step;
            return true;
        }
        case VVCControl::Kind::kChoice: {
            std::optional<int> index;
            int n = -1;
            if (VVCControlMatch::isPosition(value)) {
                index = VVCControlMatch::position(value, control.items.size());
            } else {
                index = VVCControlMatch::find(value, control.items);
                // The index counted from 0, as scripts wrote it before titles and positions.
                if (!index && parseInt(value, n) && n >= 0 &&
                    static_cast<std::size_t>(n) < control.items.size()) {
                    index = n;
                }
            }
            if (!index) {
                fail(error, valuesError(control, value));
                return false;
            }
            out.integer = *index;
            out.text = control.items[static_cast<std::size_t>(*index)];
            return true;
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
            fail(error, subject + " is on or off, not " + typed);
            return false;
        }
        case VVCControl::Kind::kNumber: {
            double n = 0;
            if (!parseNumber(value, n) || n < control.numberMinimum || n > control.numberMaximum) {
                fail(error, subject +
                                XStr::format(" takes a number from %g to %g, not ",
                                             control.numberMinimum, control.numberMaximum) +
                                typed);
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
            fail(error, subject + " is a label and cannot be set");
            return false;
    }
    return false;
}

XStr VMCPage::valuesError(const VVCControl& control, const XStr& value) {
    const XStrList values = control.values();
    XStr text = "The control " + VADisplayText::quoted(control.id);
    const XStr positions = XStr::format(" (or its position #1 to #%zu)", values.size());
    if (values.size() > kListedValues) {
        return text + " takes a value from " + values.front() + " to " + values.back() + positions +
               ", not " + VADisplayText::quoted(value);
    }
    text +=
        " takes one of these values" + positions + ", not " + VADisplayText::quoted(value) + ":";
    for (const XStr& v : values) {
        text += "\n  " + v;
    }
    return text;
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
                    fail(error,
                         "The sheet " + VADisplayText::quoted(sheetId) + " cannot be opened now");
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
    fail(error, "No control " + VADisplayText::quoted(id) + ". The controls are:\n  " +
                    XStr::join(ids, "\n  "));
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
