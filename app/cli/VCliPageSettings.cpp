#include "VCliPageSettings.h"

#include "VCliText.h"

namespace {

std::string quoted(const XStr& text) {
    return VCliText::quoted(text);
}

// "NAME" and the number N (0 when not given) of "NAME#N"; false when "#" is not followed by
// a number from 1.
bool readTarget(const XStr& target, XStr& name, int& number) {
    const std::size_t hash = target.rfind(U'#');
    number = 0;
    name = target;
    if (hash == XStr::npos) {
        return true;
    }
    const XStr digits = target.substr(hash + 1);
    if (digits.empty() || digits.size() > 4) {
        return false;
    }
    for (char32_t c : digits) {
        if (c < U'0' || c > U'9') {
            return false;
        }
    }
    number = static_cast<int>(digits.toInt64());
    name = target.left(hash);
    return number >= 1;
}

}  // namespace

bool VCliPageSettings::split(const XStrList& effectNames, const XStrList& settings,
                             bool (*isEffectName)(const XStr& name), Split& out,
                             std::string& error) {
    out = Split();
    for (const XStr& name : effectNames) {
        out.effects.push_back({name, {}});
    }
    for (const XStr& setting : settings) {
        const std::size_t eq = setting.find(U'=');
        const XStr id = eq == XStr::npos ? setting : setting.left(eq);
        // The effect is named before the first point that leaves a known effect name (or a
        // name given with --effect) in front; encoder sheets use points too ("sheet.id").
        std::size_t dot = id.find(U'.');
        bool routed = false;
        for (; dot != XStr::npos && !routed; dot = id.find(U'.', dot + 1)) {
            XStr name;
            int number = 0;
            if (!readTarget(id.left(dot), name, number)) {
                continue;
            }
            std::vector<Effect*> matches;
            for (Effect& effect : out.effects) {
                if (effect.name.trimmed().equalsNoCase(name.trimmed())) {
                    matches.push_back(&effect);
                }
            }
            if (matches.empty()) {
                if (isEffectName(name) || number != 0) {
                    error = "The setting " + quoted(setting) + " is for the effect " +
                            quoted(name) + ", which no --effect adds";
                    return false;
                }
                continue;
            }
            if (number == 0 && matches.size() > 1) {
                error = "The setting " + quoted(setting) + " could be for any of the " +
                        std::to_string(matches.size()) + " effects " + quoted(name) + "; write " +
                        quoted(name + "#1." + id.substr(dot + 1)) + " and so on";
                return false;
            }
            if (number > static_cast<int>(matches.size())) {
                error = "The setting " + quoted(setting) + " is for effect " + quoted(name) +
                        " number " + std::to_string(number) + ", but only " +
                        std::to_string(matches.size()) + (matches.size() == 1 ? " is" : " are") +
                        " added";
                return false;
            }
            matches[number == 0 ? 0 : number - 1]->settings.push_back(setting.substr(dot + 1));
            routed = true;
        }
        if (!routed) {
            out.encoderSettings.push_back(setting);
        }
    }
    return true;
}
