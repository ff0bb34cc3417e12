// The expander finds tokens in one pass and searches on from where a substitution could
// have spelled a new one. These tests hold it to the plain method: after every
// substitution search the whole text again from the start (and, for the functions, find
// the last occurrence of every function token in an upper-cased copy). Random templates
// built from the language's pieces, random tag sets, both compared.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "VMCNamingElementTokens.h"
#include "VMCNamingFunctions.h"
#include "VMCNamingTagSet.h"
#include "VMCNamingTemplate.h"
#include "XCase.h"

namespace {

using U = std::u32string;
using UView = std::u32string_view;

U upper(UView text) {
    U out(text);
    for (char32_t& c : out) {
        c = XCase::upper(c);
    }
    return out;
}

std::size_t findNoCase(UView text, UView needle, std::size_t from) {
    return upper(text).find(upper(needle), from);
}

U replaceAllNoCase(UView text, UView needle, UView with) {
    const U upperText = upper(text);
    const U upperNeedle = upper(needle);
    U out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = upperText.find(upperNeedle, pos)) != U::npos;) {
        out.append(text.substr(pos, hit - pos));
        out.append(with);
        pos = hit + needle.size();
    }
    out.append(text.substr(pos));
    return out;
}

U referenceExpand(UView templ, const NTag& tags, bool pathMode) {
    const VMCNamingTagSet values(tags, pathMode);
    U text(templ);
    for (const UView token : {UView(U"[IFVALUE]"), UView(U"[IFEQUALS]"), UView(U"[IF!EQUALS]")}) {
        for (std::size_t p = findNoCase(text, token, 0); p != U::npos;
             p = findNoCase(text, token, p + token.size())) {
            const std::size_t after = p + token.size();
            if (findNoCase(text, U"[tag]", after) == after) {
                const std::size_t close = text.find(U"[]", after + 5);
                if (close != U::npos) {
                    text.erase(close, 2);
                    text.erase(after, 5);
                }
            }
        }
        for (std::size_t p = findNoCase(text, token, 0); p != U::npos;
             p = findNoCase(text, token, p + token.size())) {
            const std::size_t after = p + token.size();
            if (after < text.size() && text[after] == U'[') {
                const std::size_t close = text.find(U']', after + 1);
                if (close != U::npos) {
                    text.erase(close, 1);
                    text.erase(after, 1);
                }
            }
        }
    }
    namespace E = VMCNamingElementTokens;
    for (int t = 0; t < static_cast<int>(E::table().count()); ++t) {
        const UView token = E::table().token(t);
        for (std::size_t p; (p = findNoCase(text, token, 0)) != U::npos;) {
            text.replace(p, token.size(),
                         E::processed(values.firstLine(E::elementName(t)), E::processing(t)));
        }
    }
    const std::pair<UView, int> constructs[] = {{U"[tag]", 0}, {U"[multitag]", 1}, {U"[tags]", 2}};
    for (const auto& [token, kind] : constructs) {
        for (;;) {
            const std::size_t p = findNoCase(text, token, 0);
            const std::size_t close = p == U::npos ? U::npos : text.find(U"[]", p + token.size());
            if (close == U::npos) {
                break;
            }
            const U arg = text.substr(p + token.size(), close - p - token.size());
            U value;
            if (kind == 0) {
                value = values.firstLine(arg);
            } else if (kind == 1) {
                value = replaceAllNoCase(values.value(arg), U"\r", U"; ");
            } else {
                std::vector<U> parts(1);
                for (const char32_t c : arg) {
                    if (c == U',') {
                        parts.emplace_back();
                    } else {
                        parts.back() += c;
                    }
                }
                if (parts.size() == 2) {
                    U delimiter;
                    for (std::size_t i = 0; i < parts[1].size();) {
                        if (UView(parts[1]).substr(i, 7) == U"_COMMA_") {
                            delimiter += U"<comma_>";
                            i += 7;
                        } else {
                            delimiter += parts[1][i++];
                        }
                    }
                    value = replaceAllNoCase(values.value(parts[0]), U"\r", delimiter);
                }
            }
            text.replace(p, close + 2 - p, value);
        }
    }
    const VMCNamingFunctions functions(values);
    const VMCNamingTokenTable& table = VMCNamingFunctions::table();
    for (int round = 0;; ++round) {
        if (round > 100000) {
            ADD_FAILURE() << "the functions never end";
            break;
        }
        const U upperText = upper(text);
        std::size_t best = U::npos;
        int bestFunction = -1;
        for (int f = 0; f < static_cast<int>(table.count()); ++f) {
            const std::size_t last = upperText.rfind(table.token(f));
            if (last != U::npos && (best == U::npos || last > best)) {
                best = last;
                bestFunction = f;
            }
        }
        const std::size_t close = best == U::npos ? U::npos : text.find(U"[]", best);
        if (close == U::npos) {
            break;
        }
        const std::size_t argsAt = best + table.token(bestFunction).size();
        const U result = functions.apply(bestFunction, UView(text).substr(argsAt, close - argsAt));
        text.replace(best, close + 2 - best, result);
    }
    return replaceAllNoCase(replaceAllNoCase(text, U"<comma_>", U","), U"<brackets_>", U"[");
}

U referenceDescribe(UView templ) {
    // The label table in the order the dialog's help lists it; "[extension]" twice.
    const std::pair<UView, UView> labels[] = {
        {U"[origdrive]", U"Source Drive:\\"},
        {U"[origpath]", U"Source Path"},
        {U"[subpath]", U"Sub Path"},
        {U"[origfilename]", U"Source Filename"},
        {U"[extension]", U"Encoder Extension"},
        {U"[artist]", U"Artist"},
        {U"[album]", U"Album"},
        {U"[album artist]", U"Album Artist"},
        {U"[composer]", U"Composer"},
        {U"[conductor]", U"Conductor"},
        {U"[title]", U"Title"},
        {U"[genre]", U"Genre"},
        {U"[year]", U"Year"},
        {U"[track]", U"TrackNum"},
        {U"[track_unpad]", U"TrackNum Unpaddded"},
        {U"[track_total]", U"Track Total"},
        {U"[track_total_unpad]", U"Track Total  Unpaddded"},
        {U"[disc]", U"Disc"},
        {U"[disc_total]", U"Disc Total"},
        {U"[band]", U"Band"},
        {U"[rating]", U"Rating"},
        {U"[tempo]", U"Tempo"},
        {U"[label]", U"Label"},
        {U"[isrc]", U"ISRC"},
        {U"[upc]", U"UPC"},
        {U"[compilation]", U"Compilation"},
        {U"[mood]", U"Mood"},
        {U"[style]", U"Style"},
        {U"[copyright]", U"Copyright"},
        {U"[subtitle]", U"Subtitle"},
        {U"[unique]", U"Unique"},
        {U"[discunique]", U"Disc Unique"},
        {U"[length]", U"Length"},
        {U"[length_mmss]", U"Length mm:ss"},
        {U"[length_hhmmss]", U"Length hh:mm:ss"},
        {U"[encoder]", U"Encoder"},
        {U"[encoder+]", U"Encoder Extra"},
        {U"[extension]", U"Extension"},
        {U"[cddb_id]", U"CDDB ID"},
        {U"[protected]", U"Protected"},
        {U"[id_tag]", U"ID Tag"},
        {U"[audio_quality]", U"Audio Quality"},
        {U"[gapless]", U"Gapless"},
        {U"[date]", U"Date"},
        {U"[time]", U"Now Time"},
        {U"[day_of_week]", U"Now Day of Week"},
        {U"[now_year]", U"Now Year"},
        {U"[frequency]", U"Frequency"},
        {U"[channels]", U"Channels"},
        {U"[channels_subone]", U"Channels -1"},
        {U"[bits_per_sample]", U"Bits Per Sample"},
        {U"[bytes_per_sample]", U"Bytes Per Sample"},
        {U"[bitrate]", U"Bitrate"},
        {U"[k_bitrate]", U"Kbps"},
    };
    const UView functions[] = {
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
    U text(templ);
    for (const auto& [token, label] : labels) {
        text = replaceAllNoCase(text, token,
                                U"_RGB_-RGB-000-000-120" + U(label) + U"_RGB_-RGB-000-000-000");
    }
    for (const UView token : functions) {
        text = replaceAllNoCase(text, token,
                                U"_RGB_-RGB-000-120-000" + U(token) + U"_RGB_-RGB-000-000-000");
    }
    U out;
    for (std::size_t pos = 0;;) {
        const std::size_t hit = text.find(U"{_._}", pos);
        out.append(UView(text).substr(pos, hit == U::npos ? U::npos : hit - pos));
        if (hit == U::npos) {
            return out;
        }
        pos = hit + 5;
    }
}

// Pieces of templates and values that exercise every rule that can interact.
class RandomNaming {
public:
    explicit RandomNaming(unsigned seed) : mRandom(seed) {}

    U templ() {
        static const char* const pieces[] = {
            "[artist]",
            "[title]",
            "[album]",
            "[track]",
            "[track_total]",
            "[disc_total]",
            "[genre]",
            "[origpath]",
            "[compilation]",
            "[UPPER]",
            "[LOWER]",
            "[RIGHT]",
            "[GRAB]",
            "[TRIM]",
            "[DEL]",
            "[SETLEN]",
            "[IFCOMP]",
            "[IF!COMP]",
            "[IFMULTI]",
            "[IF!MULTI]",
            "[IFEQUALS]",
            "[IF!EQUALS]",
            "[IF]",
            "[IFVALUE]",
            "[TRIMFIRSTFOLDER]",
            "[TRIMLASTFOLDER]",
            "[MAXLENGTH]",
            "[FRONTFOLDER]",
            "[BACKFOLDER]",
            "[REPLACE]",
            "[WORD]",
            "[GROUP]",
            "[SPLIT]",
            "[]",
            "[]",
            "[]",
            "[tag]",
            "[multitag]",
            "[tags]",
            "[",
            "]",
            ",",
            ",",
            "_COMMA_",
            "<comma_>",
            "<BRACKETS_>",
            "/",
            " ",
            "-",
            "1",
            "2",
            "3",
            "0",
            "len>",
            "=",
            "a",
            "b",
            "x",
            "artist",
            "title",
            "genre",
            "art",
            "ist]",
            "title]",
            "tag]",
            "UP",
            "PER]",
            "[[artist]",
            "[[genre]",
            "[[tag]",
            "album]",
            "genre]",
            "[UP",
            "[UP[LOWER]PER][]",
            "[GR[UPPER]oup][]",
            "[SE[LOWER]TLEN]",
            "oup]",
            "[LOW",
            "ER]",
            "{_._}",
            "{_",
            "._}",
            "91",
            "48",
        };
        return assemble(pieces, std::size(pieces), 1 + below(14), true);
    }

    NTag tags() {
        static const char* const names[] = {"artist", "title",       "album", "track",
                                            "genre",  "compilation", "disc",  "origpath"};
        static const char* const pieces[] = {
            "",  "a", "B", ",", "[",   "]",      "/",      "\\", "\r",       " ",    "-",
            "3", "1", "2", "0", "yes", "title]", "artist", "[]", "<comma_>", "rock",
        };
        NTag tags;
        const int count = below(6);
        for (int i = 0; i < count; ++i) {
            tags.AddElement(names[below(std::size(names))],
                            XStr(assemble(pieces, std::size(pieces), below(5), false)));
        }
        return tags;
    }

    bool coin() { return below(2) == 1; }

private:
    int below(std::size_t n) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(mRandom);
    }

    U assemble(const char* const* pieces, std::size_t count, int length, bool scrambleCase) {
        U out;
        for (int i = 0; i < length; ++i) {
            U piece = XStr(pieces[below(count)]).units();
            if (scrambleCase) {
                for (char32_t& c : piece) {
                    if (coin()) {
                        c = XCase::isAlpha(c) ? (c ^ 0x20) : c;
                    }
                }
            }
            out += piece;
        }
        return out;
    }

    std::mt19937 mRandom;
};

TEST(NamingEquivalence, ExpansionMatchesSearchingFromTheStart) {
    RandomNaming random(20240611);
    for (int i = 0; i < 20000; ++i) {
        const U templ = random.templ();
        const NTag tags = random.tags();
        const bool pathMode = random.coin();
        const XStr expected(referenceExpand(templ, tags, pathMode));
        const XStr actual = ExpandNamingTemplate(XStr(templ), tags, pathMode);
        if (actual != expected) {
            ADD_FAILURE() << "template " << XStr(templ) << "\nexpected " << expected
                          << "\nactual   " << actual;
            return;
        }
    }
}

TEST(NamingEquivalence, DescriptionMatchesReplacingTokenByToken) {
    RandomNaming random(7);
    for (int i = 0; i < 20000; ++i) {
        const U templ = random.templ();
        const XStr expected(referenceDescribe(templ));
        const XStr actual = DescribeNamingTemplate(XStr(templ));
        if (actual != expected) {
            ADD_FAILURE() << "template " << XStr(templ) << "\nexpected " << expected
                          << "\nactual   " << actual;
            return;
        }
    }
}

}  // namespace
