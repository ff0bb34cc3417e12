#include "VMCNamingTemplate.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "VMCNamingElementTokens.h"
#include "VMCNamingFunctions.h"
#include "VMCNamingTagSet.h"
#include "VMCNamingText.h"
#include "VMCNamingTokenTable.h"

namespace {

using VMCNamingText::findNoCase;

constexpr std::u32string_view kTag = U"[tag]";
constexpr std::u32string_view kMultiTag = U"[multitag]";
constexpr std::u32string_view kTags = U"[tags]";

bool startsWithNoCaseAt(std::u32string_view text, std::size_t pos, std::u32string_view prefix) {
    return pos <= text.size() && text.size() - pos >= prefix.size() &&
           VMCNamingText::equalsNoCase(text.substr(pos, prefix.size()), prefix);
}

// Older templates wrote the element name of the tag-testing functions as a token
// ("[IFVALUE][tag]artist[]" or "[IFEQUALS][genre]"); both become the plain name.
void rewriteOlderForms(std::u32string& text) {
    static const VMCNamingTokenTable testing{U"[IFVALUE]", U"[IFEQUALS]", U"[IF!EQUALS]"};
    if (!testing.occursIn(text)) {
        return;
    }
    for (std::size_t t = 0; t < testing.count(); ++t) {
        const std::u32string_view token = testing.token(static_cast<int>(t));
        for (std::size_t pos = findNoCase(text, token, 0); pos != std::u32string::npos;
             pos = findNoCase(text, token, pos + token.size())) {
            const std::size_t after = pos + token.size();
            if (!startsWithNoCaseAt(text, after, kTag)) {
                continue;
            }
            const std::size_t close = text.find(U"[]", after + kTag.size());
            if (close != std::u32string::npos) {
                text.erase(close, 2);
                text.erase(after, kTag.size());
            }
        }
        for (std::size_t pos = findNoCase(text, token, 0); pos != std::u32string::npos;
             pos = findNoCase(text, token, pos + token.size())) {
            const std::size_t after = pos + token.size();
            if (after >= text.size() || text[after] != U'[') {
                continue;
            }
            const std::size_t close = text.find(U']', after + 1);
            if (close != std::u32string::npos) {
                text.erase(close, 1);
                text.erase(after, 1);
            }
        }
    }
}

// Replaces the element tokens, one token after the other in table order, each time the
// leftmost occurrence first. Values hold no "[", so a replacement can only create a token
// that starts shortly before it (as "[[artist]title]" with an empty artist spells
// "[title]"); searching on from there gives what searching from the start would give.
void substituteElements(std::u32string& text, const VMCNamingTagSet& tags) {
    namespace E = VMCNamingElementTokens;
    const VMCNamingTokenTable& tokens = E::table();
    uint64_t pending = 0;
    for (std::size_t pos = text.find(U'['); pos != std::u32string::npos;
         pos = text.find(U'[', pos + 1)) {
        const int index = tokens.tokenAt(text, pos);
        if (index >= 0) {
            pending |= uint64_t{1} << index;
        }
    }
    const std::size_t reach = tokens.maxLength() - 1;
    for (int t = 0; pending != 0 && t < static_cast<int>(tokens.count()); ++t) {
        if ((pending & (uint64_t{1} << t)) == 0) {
            continue;
        }
        pending &= ~(uint64_t{1} << t);
        const std::u32string_view token = tokens.token(t);
        std::u32string value;
        bool known = false;
        std::size_t from = 0;
        for (std::size_t pos; (pos = findNoCase(text, token, from)) != std::u32string::npos;) {
            if (!known) {
                value = E::processed(tags.firstLine(E::elementName(t)), E::processing(t));
                known = true;
            }
            text.replace(pos, token.size(), value);
            for (std::size_t s = pos > reach ? pos - reach : 0; s < pos; ++s) {
                const int index = text[s] == U'[' ? tokens.tokenAt(text, s) : -1;
                if (index > t) {
                    pending |= uint64_t{1} << index;
                }
            }
            VMCNamingText::cutKeepingEscapes(text);
            from = pos >= token.size() ? pos - (token.size() - 1) : 0;
        }
    }
}

enum class Construct { Tag, MultiTag, Tags };

// The values of an element joined by a delimiter, as long as a value may be.
std::u32string joinedValues(const VMCNamingTagSet& tags, std::u32string_view name,
                            std::u32string_view delimiter) {
    std::u32string out = VMCNamingText::replacedExact(tags.value(name), U"\r", delimiter,
                                                      VMCNamingText::kMaxValueLength);
    VMCNamingText::cutKeepingEscapes(out, VMCNamingText::kMaxValueLength);
    return out;
}

std::u32string constructValue(Construct kind, std::u32string_view argument,
                              const VMCNamingTagSet& tags) {
    switch (kind) {
        case Construct::Tag:
            return tags.firstLine(argument);
        case Construct::MultiTag:
            return joinedValues(tags, argument, U"; ");
        case Construct::Tags: {
            const std::size_t comma = argument.find(U',');
            if (comma == std::u32string_view::npos ||
                argument.find(U',', comma + 1) != std::u32string_view::npos) {
                return {};
            }
            const std::u32string delimiter = VMCNamingText::replacedExact(
                argument.substr(comma + 1), VMCNamingText::kUserComma, VMCNamingText::kComma);
            return joinedValues(tags, argument.substr(0, comma), delimiter);
        }
    }
    return {};
}

// "[tag]name[]" and its siblings, the leftmost first, until none has a closing "[]".
void substituteConstruct(std::u32string& text, std::u32string_view token, Construct kind,
                         const VMCNamingTagSet& tags) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t pos = findNoCase(text, token, from);
        if (pos == std::u32string::npos) {
            return;
        }
        const std::size_t argument = pos + token.size();
        const std::size_t close = text.find(U"[]", argument);
        if (close == std::u32string::npos) {
            return;
        }
        const std::u32string value = constructValue(
            kind, std::u32string_view(text).substr(argument, close - argument), tags);
        text.replace(pos, close + 2 - pos, value);
        VMCNamingText::cutKeepingEscapes(text);
        // Nothing before the replacement changed, so no construct can start further left.
        from = pos >= token.size() ? pos - (token.size() - 1) : 0;
    }
}

void substituteTagConstructs(std::u32string& text, const VMCNamingTagSet& tags) {
    static const VMCNamingTokenTable constructs{kTag, kMultiTag, kTags};
    if (!constructs.occursIn(text)) {
        return;
    }
    substituteConstruct(text, kTag, Construct::Tag, tags);
    substituteConstruct(text, kMultiTag, Construct::MultiTag, tags);
    substituteConstruct(text, kTags, Construct::Tags, tags);
}

}  // namespace

XStr ExpandNamingTemplate(const XStr& templ, const NTag& tags, bool pathMode) {
    const VMCNamingTagSet values(tags, pathMode);
    std::u32string text = templ.units();
    VMCNamingText::cutKeepingEscapes(text);
    rewriteOlderForms(text);
    substituteElements(text, values);
    substituteTagConstructs(text, values);
    VMCNamingFunctions(values).run(text);
    return XStr(VMCNamingText::unescaped(text));
}

bool TemplateNeedsMetadata(const XStr& templ) {
    static const VMCNamingTokenTable metadata{
        U"[artist]",
        U"[album]",
        U"[album artist]",
        U"[composer]",
        U"[conductor]",
        U"[title]",
        U"[genre]",
        U"[year]",
        U"[track]",
        U"[tag]",
        // Reads the values of an element as much as "[tag]" does.
        U"[multitag]",
        U"[track_unpad]",
        U"[track_total_unpad]",
        U"[track_total]",
        U"[disc]",
        U"[disc_total]",
        U"[band]",
        U"[rating]",
        U"[tempo]",
        U"[label]",
        U"[isrc]",
        U"[upc]",
        U"[compilation]",
        U"[mood]",
        U"[style]",
        U"[copyright]",
        U"[subtitle]",
        U"[length]",
        U"[length_mmss]",
        U"[length_hhmmss]",
        U"[id_tag]",
        U"[audio_quality]",
        U"[gapless]",
        U"[frequency]",
        U"[channels]",
        U"[channels_subone]",
        U"[bits_per_sample]",
        U"[bytes_per_sample]",
        U"[bitrate]",
        U"[k_bitrate]",
        U"[ifequals]",
        U"[IFVALUE]",
        U"[IF!EQUALS]",
        U"[TAGS]",
        U"[IFCOMP]",
        U"[IF!COMP]",
        U"[IFMULTI]",
        U"[IF!MULTI]",
    };
    return metadata.occursIn(templ.view());
}
