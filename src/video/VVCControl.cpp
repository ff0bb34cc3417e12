#include "VVCControl.h"

VVCControl VVCControl::slider(XStr id, XStr title, int minimum, int maximum, int value,
                              XStr valueText) {
    VVCControl c;
    c.id = std::move(id);
    c.kind = Kind::kSlider;
    c.title = std::move(title);
    c.minimum = minimum;
    c.maximum = maximum;
    c.value = value;
    c.valueText = std::move(valueText);
    return c;
}

VVCControl VVCControl::choice(XStr id, XStr title, XStrList items, int index) {
    VVCControl c;
    c.id = std::move(id);
    c.kind = Kind::kChoice;
    c.title = std::move(title);
    c.items = std::move(items);
    c.value = index;
    return c;
}

VVCControl VVCControl::checkBox(XStr id, XStr title, bool checked) {
    VVCControl c;
    c.id = std::move(id);
    c.kind = Kind::kCheckBox;
    c.title = std::move(title);
    c.value = checked ? 1 : 0;
    return c;
}

VVCControl VVCControl::numberField(XStr id, XStr title, double value, double minimum,
                                   double maximum, int decimals) {
    VVCControl c;
    c.id = std::move(id);
    c.kind = Kind::kNumber;
    c.title = std::move(title);
    c.number = value;
    c.numberMinimum = minimum;
    c.numberMaximum = maximum;
    c.decimals = decimals;
    return c;
}

VVCControl VVCControl::textField(XStr id, XStr title, XStr text) {
    VVCControl c;
    c.id = std::move(id);
    c.kind = Kind::kText;
    c.title = std::move(title);
    c.text = std::move(text);
    return c;
}

VVCControl VVCControl::fileField(XStr id, XStr title, XStr path, XStrList fileTypes) {
    VVCControl c;
    c.id = std::move(id);
    c.kind = Kind::kFile;
    c.title = std::move(title);
    c.text = std::move(path);
    c.fileTypes = std::move(fileTypes);
    return c;
}

VVCControl VVCControl::button(XStr id, XStr title, bool opensSheet) {
    VVCControl c;
    c.id = std::move(id);
    c.kind = Kind::kButton;
    c.title = std::move(title);
    c.opensSheet = opensSheet;
    return c;
}

VVCControl VVCControl::label(XStr id, XStr text) {
    VVCControl c;
    c.id = std::move(id);
    c.kind = Kind::kLabel;
    c.text = std::move(text);
    return c;
}

const char* VVCControl::kindName(Kind kind) {
    switch (kind) {
        case Kind::kSlider:
            return "slider";
        case Kind::kChoice:
            return "choice";
        case Kind::kCheckBox:
            return "check box";
        case Kind::kNumber:
            return "number";
        case Kind::kText:
            return "text";
        case Kind::kFile:
            return "file";
        case Kind::kButton:
            return "button";
        case Kind::kLabel:
            return "label";
    }
    return "";
}

XStr VVCControl::currentValueText() const {
    switch (kind) {
        case Kind::kSlider:
            return valueAt(value);
        case Kind::kChoice:
            return value >= 0 && static_cast<std::size_t>(value) < items.size() ? items[value]
                                                                                : XStr();
        case Kind::kCheckBox:
            return value != 0 ? "on" : "off";
        case Kind::kNumber:
            return XStr::format("%.*f", decimals, number);
        case Kind::kText:
        case Kind::kFile:
        case Kind::kLabel:
            return text;
        case Kind::kButton:
            return {};
    }
    return {};
}

XStr VVCControl::valueAt(int position) const {
    return shownValue ? shownValue(position) : XStr::number(position);
}

XStrList VVCControl::values() const {
    if (kind == Kind::kChoice) {
        return items;
    }
    XStrList out;
    if (kind == Kind::kSlider) {
        for (int p = minimum; p <= maximum; ++p) {
            out.push_back(valueAt(p));
        }
    }
    return out;
}
