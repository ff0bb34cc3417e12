#include "VMCNamingTagSet.h"

#include "VMCNamingText.h"

namespace {

// The source's own location keeps its separators; every other value is only a name.
bool keepsSeparators(std::u32string_view name) {
    using VMCNamingText::equalsNoCase;
    return equalsNoCase(name, U"origpath") || equalsNoCase(name, U"origfilename") ||
           equalsNoCase(name, U"origdrive") || equalsNoCase(name, U"subpath");
}

// The value with its commas and brackets escaped and, when neutralise is set, "/" and "\"
// made "-".
std::u32string prepared(std::u32string_view raw, bool neutralise) {
    if (raw.find_first_of(neutralise ? std::u32string_view(U",[/\\") : U",[") ==
        std::u32string_view::npos) {
        return std::u32string(raw);
    }
    std::u32string out;
    out.reserve(raw.size() + 16);
    for (const char32_t c : raw) {
        if (c == U',') {
            out += VMCNamingText::kComma;
        } else if (c == U'[') {
            out += VMCNamingText::kBrackets;
        } else if (neutralise && (c == U'/' || c == U'\\')) {
            out += U'-';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

std::u32string VMCNamingTagSet::value(std::u32string_view name) const {
    const NTag::Element* element = nullptr;
    for (const NTag::Element& e : mTags.Elements()) {
        if (VMCNamingText::equalsNoCase(e.name.view(), name)) {
            element = &e;
            break;
        }
    }
    if (element == nullptr) {
        return {};
    }
    std::u32string out = prepared(element->value.view().substr(0, VMCNamingText::kMaxValueLength),
                                  mPathMode && !keepsSeparators(name));
    if (VMCNamingText::equalsNoCase(name, U"compilation") &&
        (VMCNamingText::readNumber(out) != 0 || VMCNamingText::equalsNoCase(out, U"yes"))) {
        return U"1";
    }
    return out;
}

std::u32string VMCNamingTagSet::firstLine(std::u32string_view name) const {
    std::u32string out = value(name);
    const std::size_t cr = out.find(U'\r');
    if (cr != std::u32string::npos) {
        out.resize(cr);
    }
    return out;
}
