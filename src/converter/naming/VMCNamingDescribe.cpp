// DescribeNamingTemplate: the template as coloured help text for the naming dialog.
#include <string>
#include <string_view>

#include "VMCNamingElementTokens.h"
#include "VMCNamingTemplate.h"
#include "VMCNamingTokenTable.h"

namespace {

constexpr std::u32string_view kLabelColour = U"_RGB_-RGB-000-000-120";
constexpr std::u32string_view kFunctionColour = U"_RGB_-RGB-000-120-000";
constexpr std::u32string_view kPlainColour = U"_RGB_-RGB-000-000-000";
// Separates folder and template in the recent-destination list; never shown.
constexpr std::u32string_view kRecentDelimiter = U"{_._}";

// "[DEL]" and "[multitag]" stay plain.
const VMCNamingTokenTable& colouredFunctions() {
    static const VMCNamingTokenTable functions{
        U"[]",
        U"[IFVALUE]",
        U"[IFEQUALS]",
        U"[IF!EQUALS]",
        U"[TAG]",
        U"[TAGS]",
        U"[IF]",
        U"[UPPER]",
        U"[LOWER]",
        U"[RIGHT]",
        U"[GRAB]",
        U"[TRIM]",
        U"[SETLEN]",
        U"[IFCOMP]",
        U"[IF!COMP]",
        U"[IFMULTI]",
        U"[IF!MULTI]",
        U"[TRIMFIRSTFOLDER]",
        U"[TRIMLASTFOLDER]",
        U"[MAXLENGTH]",
        U"[FRONTFOLDER]",
        U"[BACKFOLDER]",
        U"[REPLACE]",
        U"[WORD]",
        U"[GROUP]",
        U"[SPLIT]",
    };
    return functions;
}

}  // namespace

XStr DescribeNamingTemplate(const XStr& templ) {
    // Labels and markers hold no "[", "]" or "{", and no token or "{_._}" can overlap
    // another, so one pass gives what replacing each token in turn would give.
    const std::u32string_view text = templ.view();
    const VMCNamingTokenTable& elements = VMCNamingElementTokens::table();
    const VMCNamingTokenTable& functions = colouredFunctions();
    std::u32string out;
    out.reserve(text.size() * 2);
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == U'[') {
            const int element = elements.tokenAt(text, i);
            if (element >= 0) {
                out += kLabelColour;
                out += VMCNamingElementTokens::label(element);
                out += kPlainColour;
                i += elements.token(element).size();
                continue;
            }
            const int function = functions.tokenAt(text, i);
            if (function >= 0) {
                out += kFunctionColour;
                out += functions.token(function);
                out += kPlainColour;
                i += functions.token(function).size();
                continue;
            }
        } else if (text.substr(i, kRecentDelimiter.size()) == kRecentDelimiter) {
            i += kRecentDelimiter.size();
            continue;
        }
        out += text[i];
        ++i;
    }
    return XStr(std::move(out));
}
