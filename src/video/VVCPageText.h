// Pages in plain text, for the command line: the controls described one per line, and
// "id=value" settings applied as the user's actions. The encoder functions below are what
// the "encoders", "encoder" and "convert --encoder" commands need.
#pragma once

#include <memory>
#include <optional>

#include "VADSPSpec.h"
#include "VAEncoderArgs.h"
#include "VMCDSPPage.h"
#include "VMCEncoderPage.h"
#include "VMCPage.h"
#include "XStr.h"

class VVCPageText {
public:
    // "id (kind) "title": what it takes; now its value", a slider with its label.
    static XStr describeControl(const VVCControl& control);
    // Every visible control, a sheet's controls after its button as "sheet.id".
    static XStrList describe(VMCPage& page);
    // Each "id=value" (or a bare "id" for a button) in order, as the user would; stops at
    // the first that fails, error then names what would be valid.
    static bool applySettings(VMCPage& page, const XStrList& settings, XStr* error = nullptr);

    // "name<TAB>extension" for each offered encoder, sorted as listed; with all, also the
    // encoders not offered, marked.
    static XStrList encoderLines(bool all, bool gplOffered);
    // The encoder's page on the host, loaded (a new encoder's defaults are in the host);
    // null when the encoder is unknown, not offered or has no page, error then says why
    // and names the offered encoders.
    static std::unique_ptr<VMCEncoderPage> openEncoderPage(const XStr& name,
                                                           VMCEncoderPageHost* host,
                                                           bool gplOffered, XStr* error = nullptr);
    // The argument record of the encoder's defaults with the settings applied on its page.
    static std::optional<VAEncoderArgs> encoderArgsFor(const XStr& name, const XStrList& settings,
                                                       bool gplOffered, XStr* error = nullptr);
    // The catalogue's extension, or the custom encoder's typed one ("mkv" and ".mkv" both
    // give ".mkv"); empty when there is none.
    static XStr outputExtension(const XStr& name, const VAEncoderArgs& args);

    // The catalogue's spelling of an encoder name typed in any ASCII case, when the
    // catalogue (with all, also the encoders not offered) has it.
    static std::optional<XStr> encoderNamed(const XStr& typed, bool all, bool gplOffered);

    // "name" for each effect that may be added, in name order; with all, also the effects
    // not offered, marked.
    static XStrList effectLines(bool all, bool gplOffered);
    // The catalogue's spelling of an effect name typed in any ASCII case; only the effects
    // that may be added unless all.
    static std::optional<XStr> effectNamed(const XStr& typed, bool all, bool gplOffered);
    // The effect's page at its defaults; null when the effect is unknown or not offered,
    // error then says why and names the effects that may be added. The name may be typed
    // in any ASCII case.
    static std::unique_ptr<VMCDSPPage> openEffectPage(const XStr& name, bool gplOffered,
                                                      XStr* error = nullptr);
    // The effect at its defaults with the settings applied, checked as its settings window
    // checks it before closing.
    static std::optional<VADSPSpec> effectFor(const XStr& name, const XStrList& settings,
                                              bool gplOffered, XStr* error = nullptr);

    static constexpr const char* kNotOffered = "not offered: needs an FFmpeg with libx264";
    static constexpr const char* kEffectNotOffered =
        "not offered: needs an FFmpeg with GPL filters";
};
