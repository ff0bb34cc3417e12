#include "VVCPageText.h"

#include "VADSPMenu.h"
#include "VADisplayText.h"
#include "VMCDSPPageIndex.h"
#include "VMCEncoderPageIndex.h"
#include "VVCCodecs.h"

namespace {

XStr quoted(const XStr& text) {
    return VADisplayText::quoted(text);
}

XStrList quotedAll(const XStrList& names) {
    XStrList out;
    for (const XStr& name : names) {
        out.push_back(quoted(name));
    }
    return out;
}

// One name a line, under a sentence that ends in a colon.
XStr listed(const XStrList& names) {
    XStr text;
    for (const XStr& name : names) {
        text += "\n  " + name;
    }
    return text;
}

// "A, B, C" for few values, else "A to C"; then how to give a position.
XStr valuesOf(const VVCControl& c) {
    const XStrList values = c.values();
    XStr text;
    if (c.kind == VVCControl::Kind::kChoice) {
        text = XStr::join(quotedAll(values), ", ");
    } else if (c.shownValue && values.size() <= VMCPage::kListedValues) {
        text = XStr::join(values, ", ");
    } else {
        text = values.front() + " to " + values.back();
    }
    return text + XStr::format(" (or #1 to #%zu)", values.size());
}

XStr domainOf(const VVCControl& c) {
    switch (c.kind) {
        case VVCControl::Kind::kSlider:
        case VVCControl::Kind::kChoice:
            return valuesOf(c);
        case VVCControl::Kind::kCheckBox:
            return "on or off";
        case VVCControl::Kind::kNumber:
            if (c.numberMinimum <= -1e300 && c.numberMaximum >= 1e300) {
                return "any number";
            }
            return XStr::format("%g to %g", c.numberMinimum, c.numberMaximum);
        case VVCControl::Kind::kText:
            return "any text";
        case VVCControl::Kind::kFile:
            return c.fileTypes.empty() ? XStr("a file")
                                       : "a file (" + XStr::join(c.fileTypes, ", ") + ")";
        case VVCControl::Kind::kButton:
            return c.opensSheet ? "opens a sheet" : "an action";
        case VVCControl::Kind::kLabel:
            return {};
    }
    return {};
}

XStr valueOf(const VVCControl& c) {
    switch (c.kind) {
        case VVCControl::Kind::kSlider:
            // The label when it says more than the value.
            return c.valueText.empty() || c.valueText == c.currentValueText()
                       ? c.currentValueText()
                       : c.currentValueText() + ", " + c.valueText;
        case VVCControl::Kind::kChoice:
        case VVCControl::Kind::kText:
        case VVCControl::Kind::kFile:
            return quoted(c.currentValueText());
        default:
            return c.currentValueText();
    }
}

XStrList encoderNames(bool gplOffered) {
    XStrList names;
    for (const VAEncoderDesc& desc : VVCCodecs::listEncoders(gplOffered)) {
        names.push_back(desc.name);
    }
    return names;
}

XStrList addableEffects(bool gplOffered) {
    XStrList names;
    for (const VADSPDesc& desc : VADSPMenu::listDSPs(gplOffered)) {
        if (!desc.hidden) {
            names.push_back(desc.name);
        }
    }
    return names;
}

std::optional<XStr> findNoCase(const XStrList& names, const XStr& typed) {
    const XStr wanted = typed.trimmed();
    // An exact match wins over one that only differs in case.
    for (const XStr& name : names) {
        if (name == wanted) {
            return name;
        }
    }
    for (const XStr& name : names) {
        if (name.equalsNoCase(wanted)) {
            return name;
        }
    }
    return std::nullopt;
}

void fail(XStr* error, const XStr& message) {
    if (error != nullptr) {
        *error = message;
    }
}

}  // namespace

XStr VVCPageText::describeControl(const VVCControl& c) {
    if (c.kind == VVCControl::Kind::kLabel) {
        return c.id + " (label): " + c.text;
    }
    XStr line =
        c.id + " (" + VVCControl::kindName(c.kind) + ") \"" + c.title + "\": " + domainOf(c);
    if (c.kind != VVCControl::Kind::kButton) {
        line += "; now " + valueOf(c);
    }
    if (!c.enabled) {
        line += " (cannot be changed now)";
    }
    return line;
}

XStrList VVCPageText::describe(VMCPage& page) {
    XStrList lines;
    for (const VVCControl& c : page.allControls()) {
        if (c.visible) {
            lines.push_back(describeControl(c));
        }
    }
    return lines;
}

bool VVCPageText::applySettings(VMCPage& page, const XStrList& settings, XStr* error) {
    for (const XStr& setting : settings) {
        const std::size_t eq = setting.find(U'=');
        const XStr id = (eq == XStr::npos ? setting : setting.left(eq)).trimmed();
        const XStr value = eq == XStr::npos ? XStr() : setting.substr(eq + 1);
        if (!page.setControl(id, value, error)) {
            return false;
        }
    }
    return true;
}

XStrList VVCPageText::encoderLines(bool all, bool gplOffered) {
    XStrList lines;
    const std::vector<VAEncoderDesc> listed = VVCCodecs::listEncoders(all || gplOffered);
    for (const VAEncoderDesc& desc : listed) {
        XStr line = desc.name + "\t" + desc.formatExtension;
        if (!gplOffered && VVCCodecs::isGPL(desc.name)) {
            line += XStr("\t(") + kNotOffered + ")";
        }
        lines.push_back(line);
    }
    return lines;
}

std::unique_ptr<VMCEncoderPage> VVCPageText::openEncoderPage(const XStr& name,
                                                             VMCEncoderPageHost* host,
                                                             bool gplOffered, XStr* error) {
    const XStr valid = ". The encoders are:" + listed(encoderNames(gplOffered));
    const std::optional<XStr> offered = encoderNamed(name, false, gplOffered);
    if (!offered) {
        const std::optional<XStr> known = encoderNamed(name, true, gplOffered);
        fail(error, known && VVCCodecs::isGPL(*known)
                        ? "The encoder " + quoted(*known) + " is " + kNotOffered + valid
                        : "No encoder " + quoted(name) + valid);
        return nullptr;
    }
    std::unique_ptr<VMCEncoderPage> page = VMCEncoderPageIndex::createFor(*offered, host);
    if (!page) {
        fail(error, "The encoder " + quoted(*offered) + " has no settings page here");
        return nullptr;
    }
    page->viewDidLoad();
    return page;
}

std::optional<VAEncoderArgs> VVCPageText::encoderArgsFor(const XStr& name, const XStrList& settings,
                                                         bool gplOffered, XStr* error) {
    VMCEncoderArgsHost host;
    std::unique_ptr<VMCEncoderPage> page = openEncoderPage(name, &host, gplOffered, error);
    if (!page || !applySettings(*page, settings, error)) {
        return std::nullopt;
    }
    page->pageWillClose();
    return host.encoderArgsV2();
}

XStr VVCPageText::outputExtension(const XStr& name, const VAEncoderArgs& args) {
    const std::optional<XStr> ext =
        VAEncoderDesc::formatExtensionOf(VVCCodecs::listEncoders(true), name);
    if (ext && !ext->empty()) {
        return *ext;
    }
    const XStr typed = args.customFormatExt.trimmed();
    if (typed.empty() || typed.startsWith(".")) {
        return typed;
    }
    return "." + typed;
}

std::optional<XStr> VVCPageText::encoderNamed(const XStr& typed, bool all, bool gplOffered) {
    return findNoCase(encoderNames(all || gplOffered), typed);
}

XStrList VVCPageText::effectLines(bool all, bool gplOffered) {
    XStrList lines;
    for (const VADSPDesc& desc : VADSPMenu::listDSPs(gplOffered)) {
        if (!desc.hidden) {
            lines.push_back(desc.name);
        } else if (all) {
            lines.push_back(desc.name + "\t(" + kEffectNotOffered + ")");
        }
    }
    return lines;
}

std::optional<XStr> VVCPageText::effectNamed(const XStr& typed, bool all, bool gplOffered) {
    if (!all) {
        return findNoCase(addableEffects(gplOffered), typed);
    }
    XStrList names;
    for (const VADSPDesc& desc : VADSPMenu::listDSPs(gplOffered)) {
        names.push_back(desc.name);
    }
    return findNoCase(names, typed);
}

std::unique_ptr<VMCDSPPage> VVCPageText::openEffectPage(const XStr& name, bool gplOffered,
                                                        XStr* error) {
    const XStr valid = ". The effects are:" + listed(addableEffects(gplOffered));
    const std::optional<XStr> offered = effectNamed(name, false, gplOffered);
    if (!offered) {
        const std::optional<XStr> known = effectNamed(name, true, gplOffered);
        fail(error, known ? "The effect " + quoted(*known) + " is " + kEffectNotOffered + valid
                          : "No effect " + quoted(name) + valid);
        return nullptr;
    }
    std::unique_ptr<VMCDSPPage> page = VMCDSPPageIndex::createFor(*offered);
    if (!page) {
        fail(error, "The effect " + quoted(*offered) + " has no settings page here");
        return nullptr;
    }
    page->setDspArgs({});
    return page;
}

std::optional<VADSPSpec> VVCPageText::effectFor(const XStr& name, const XStrList& settings,
                                                bool gplOffered, XStr* error) {
    std::unique_ptr<VMCDSPPage> page = openEffectPage(name, gplOffered, error);
    if (!page) {
        return std::nullopt;
    }
    const XStr canonical = *effectNamed(name, false, gplOffered);
    XStr why;
    if (!applySettings(*page, settings, &why)) {
        fail(error, "Effect " + quoted(canonical) + ": " + why);
        return std::nullopt;
    }
    if (!page->dspValidate(&why)) {
        fail(error, "The effect " + quoted(canonical) + " is not ready: " + why);
        return std::nullopt;
    }
    return VADSPSpec{canonical, page->dspArgs()};
}
