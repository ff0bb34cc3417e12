// One control of a settings page, as the page declares it: what kind it is, its stable
// identifier, and its current state. One renderer draws any page from these; the command
// line sets them by identifier.
#pragma once

#include <functional>

#include "XStr.h"

struct VVCControl {
    enum class Kind {
        kSlider,    // integer position in [minimum, maximum]; valueText is its label
        kChoice,    // one of items; value is the index (-1 for none)
        kCheckBox,  // value 0 or 1
        kNumber,    // number in [numberMinimum, numberMaximum]
        kText,      // free text
        kFile,      // a file path; fileTypes lists accepted extensions (empty: any)
        kButton,    // an action; with a sheet it opens the sheet of the same identifier
        kLabel,     // text only
    };

    XStr id;
    Kind kind = Kind::kLabel;
    XStr title;
    bool enabled = true;
    bool visible = true;

    int minimum = 0;
    int maximum = 0;
    int value = 0;
    XStr valueText;
    // A slider whose positions stand for values: the value a position shows, as its label
    // writes it ("30", "128 kbps", "1.50"), so that a value can be given as it is shown.
    // Empty when the position is itself the value.
    std::function<XStr(int position)> shownValue;

    XStrList items;

    double number = 0;
    double numberMinimum = -1e300;
    double numberMaximum = 1e300;
    int decimals = 0;

    XStr text;
    XStrList fileTypes;

    bool opensSheet = false;
    // Drawn in the row of the control before it, after it (the second button of a row).
    bool besidePrevious = false;

    static VVCControl slider(XStr id, XStr title, int minimum, int maximum, int value,
                             XStr valueText);
    static VVCControl choice(XStr id, XStr title, XStrList items, int index);
    static VVCControl checkBox(XStr id, XStr title, bool checked);
    static VVCControl numberField(XStr id, XStr title, double value, double minimum, double maximum,
                                  int decimals);
    static VVCControl textField(XStr id, XStr title, XStr text);
    static VVCControl fileField(XStr id, XStr title, XStr path, XStrList fileTypes);
    static VVCControl button(XStr id, XStr title, bool opensSheet = false);
    static VVCControl label(XStr id, XStr text);

    VVCControl& beside() {
        besidePrevious = true;
        return *this;
    }
    VVCControl& withShownValues(std::function<XStr(int position)> shown) {
        shownValue = std::move(shown);
        return *this;
    }

    static const char* kindName(Kind kind);
    // The current value as the command line writes it ("27", "Medium", "on", "1.5", ...).
    XStr currentValueText() const;
    // What a slider shows at a position: its shown value, else the position.
    XStr valueAt(int position) const;
    // The values a slider or a choice takes, one per step or item, in order.
    XStrList values() const;
};
