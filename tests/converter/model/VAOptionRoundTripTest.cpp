// Every writer must give a text that the parser reads back as the same list, whatever the
// names and values hold.
#include <gtest/gtest.h>

#include <functional>

#include "RandomText.h"
#include "VACommandText.h"
#include "VAElemValueList.h"
#include "VAOptionList.h"

namespace {

constexpr int kRounds = 3000;

// Names without "=" (the parser ends a name there) and, unless allowed, not beginning with
// "-"; values not beginning with "-" unless allowed.
VAOptionList randomList(RandomText& random, bool minusFirst) {
    VAOptionList list;
    const std::size_t pairs = random.below(6);
    for (std::size_t i = 0; i < pairs; ++i) {
        XStr name = random.text(RandomText::kTricky, 6).replaced("=", "");
        XStr value = random.text(RandomText::kTricky, 8);
        if (!minusFirst) {
            while (!name.empty() && name.front() == U'-') {
                name.erase(0, 1);
            }
            while (!value.empty() && value.front() == U'-') {
                value.erase(0, 1);
            }
        }
        list.append(name, value);
    }
    return list;
}

VAElemValueList elemListOf(const VAOptionList& list) {
    VAElemValueList out;
    for (const VAElemValue& pair : list) {
        out.addElem(pair.element, pair.value);
    }
    return out;
}

void expectRoundTrip(unsigned seed, bool minusFirst,
                     const std::function<XStr(const VAOptionList&)>& writer) {
    RandomText random(seed);
    for (int i = 0; i < kRounds; ++i) {
        const VAOptionList list = randomList(random, minusFirst);
        const XStr written = writer(list);
        if (VAOptionList::ParseOptions(written) != list) {
            ADD_FAILURE() << "first failing list written as [" << written << "]";
            return;
        }
    }
}

TEST(VAOptionRoundTrip, EachWriter) {
    const auto write = [](const VAOptionList& l) { return VAOptionList::WriteOptions(l); };
    const auto standard = [](const VAOptionList& l) { return elemListOf(l).mergeToString(); };
    const auto option = [](const VAOptionList& l) {
        return elemListOf(l).mergeToString_alternate();
    };
    const struct {
        const char* name;
        std::function<XStr(const VAOptionList&)> writer;
        bool minusFirst;  // names and values may begin with "-"
    } rows[] = {{"WriteOptions", write, false},
                {"standard form", standard, false},
                {"standard form, leading minus", standard, true},
                {"option form", option, false}};
    for (unsigned i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].name);
        expectRoundTrip(11 + i, rows[i].minusFirst, rows[i].writer);
    }
}

// A value beginning with "-" is written apart, as FFmpeg reads it; a later parse then takes
// it for an option of its own, so what must hold is that FFmpeg gets every name and value
// as the arguments they were.
TEST(VAOptionRoundTrip, WrittenTextsGiveFFmpegEveryNameAndValue) {
    RandomText random(12);
    for (int i = 0; i < kRounds; ++i) {
        VAOptionList list;
        for (const VAElemValue& pair : randomList(random, true)) {
            XStr name = pair.element;
            while (!name.empty() && name.front() == U'-') {
                name.erase(0, 1);
            }
            if (!name.empty()) {
                list.append(name, pair.value);
            }
        }
        XStrList expected;
        for (const VAElemValue& pair : list) {
            expected.push_back("-" + pair.element);
            if (!pair.value.empty()) {
                expected.push_back(pair.value);
            }
        }
        const XStr written = VAOptionList::WriteOptions(list);
        if (VACommandText::Split(written) != expected) {
            ADD_FAILURE() << "first failing text [" << written << "]";
            return;
        }
    }
}

TEST(VAOptionRoundTrip, ParsedTextsSurviveWritingBack) {
    RandomText random(16);
    for (int i = 0; i < 10000; ++i) {
        const XStr text = random.text(RandomText::kTricky, 30);
        const VAOptionList parsed = VAOptionList::ParseOptions(text);
        const XStr written = VAOptionList::WriteOptions(parsed);
        // Values beginning with "-" split off as options of their own on the second parse
        // (see above); every other list reads back as it was.
        bool minusValue = false;
        for (const VAElemValue& pair : parsed) {
            minusValue = minusValue || (!pair.value.empty() && pair.value.front() == U'-');
        }
        if (!minusValue && VAOptionList::ParseOptions(written) != parsed) {
            ADD_FAILURE() << "first failing text: [" << text << "] written back as [" << written
                          << "]";
            return;
        }
    }
}

TEST(VAOptionRoundTrip, MergeAndExtractKeepOtherOptionsIntact) {
    RandomText random(17);
    for (int i = 0; i < kRounds; ++i) {
        const VAOptionList list = randomList(random, false);
        XStr text = VAOptionList::WriteOptions(list);
        VAOptionList expectedRest;
        for (const VAElemValue& pair : list) {
            if (!pair.element.equalsNoCase("a")) {
                expectedRest.append(pair.element, pair.value);
            }
        }
        VAOptionList::ExtractOption("a", text);
        ASSERT_EQ(VAOptionList::ParseOptions(text), expectedRest)
            << "list written as [" << VAOptionList::WriteOptions(list) << "]";
    }
}

}  // namespace
