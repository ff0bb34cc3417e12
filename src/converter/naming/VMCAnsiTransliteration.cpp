#include "VMCAnsiTransliteration.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using Pair = std::pair<char32_t, char32_t>;

// Sorted by the accented letter, for a binary search per character.
const std::vector<Pair>& sortedPairs() {
    static const std::vector<Pair> kSorted = [] {
        std::vector<Pair> out;
        const std::u32string& all = VMCAnsiTransliteration::pairs();
        for (std::size_t i = 0; i + 1 < all.size(); i += 2) {
            out.emplace_back(all[i], all[i + 1]);
        }
        std::sort(out.begin(), out.end());
        return out;
    }();
    return kSorted;
}

}  // namespace

const std::u32string& VMCAnsiTransliteration::pairs() {
    static const std::u32string kPairs =
        U"ÀAÁAÂAÃAÄAÅAĀAĂAĄAÇCĆCĈCĊCČCĎDĐD"
        U"ÈEÉEÊEËEĒEĔEĖEĘEĚEĜGĞGĠGĢGÌIÍIÎI"
        U"ÏIĨIĪIĬIĮIİIĴJĶKĹLĻLĽLĿLŁLÑNŃNŅN"
        U"ŇNŊNÒOÓOÔOÕOÖOØOŌOŎOŐOŔRŖRŘRŚSŜS"
        U"ŞSŠSŢTŤTŦTÙUÚUÛUÜUŨUŪUŬUŮUŰUŲUŴW"
        U"ÝYŶYŸYŹZŻZŽZàaáaâaãaäaåaāaăaąaçc"
        U"ćcĉcċcčcďdđdèeéeêeëeēeĕeėeęeěeĝg"
        U"ğgġgģgìiíiîiïiĩiīiĭiįiıiĵjķkðoĺl"
        U"ļlľlŀlłlñnńnņnňnŉnŋnòoóoôoõoöoøo"
        U"ōoŏoőoŕrŗrřrśsŝsşsšsţtťtŧtúuùuûu"
        U"üuũuūuŭuůuűuųuŵwýyŷyźzżzžz";
    return kPairs;
}

std::optional<char32_t> VMCAnsiTransliteration::replacementFor(char32_t c) {
    const std::vector<Pair>& table = sortedPairs();
    const auto it = std::lower_bound(table.begin(), table.end(), Pair(c, 0));
    if (it == table.end() || it->first != c) {
        return std::nullopt;
    }
    return it->second;
}

XStr VMCAnsiTransliteration::transliterate(const XStr& text) {
    XStr out = text;
    for (char32_t& c : out) {
        if (c >= 128) {
            c = replacementFor(c).value_or(U'_');
        }
    }
    return out;
}
