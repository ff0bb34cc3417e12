// What becomes of outputs that exist already, chosen on the command line or asked on a
// terminal, as the state of the destination check records it.
#include "VCliOnExists.h"

#include <gtest/gtest.h>

#include <sstream>

#include "VCliSettingsCommand.h"

namespace {

// Outputs a to d; b and d exist.
VMCCheckFilenamesState makeState() {
    VMCCheckFilenamesState state;
    for (const char* name : {"a", "b", "c", "d"}) {
        VMCCheckFileNamesEntry entry;
        entry.destination = XStr("/out/") + name + ".mp4";
        state.entries.push_back(entry);
    }
    state.alreadyExists = {"/out/b.mp4", "/out/d.mp4"};
    return state;
}

XStrList planned(const VMCCheckFilenamesState& state) {
    XStrList out;
    for (const VMCCheckFileNamesEntry& entry : state.entries) {
        if (entry.checked) {
            out.push_back(entry.destination);
        }
    }
    return out;
}

}  // namespace

TEST(VCliOnExists, EachPolicyAndEachAnswer) {
    using P = VCliOnExists::Policy;
    struct Case {
        P policy;
        bool terminal;
        const char* answers;
        bool cancelled;
        uint32_t skipped;
        XStrList outputs;  // "DATE" stands for the appended date
        const char* prompt;
    };
    const XStrList all = {"/out/a.mp4", "/out/b.mp4", "/out/c.mp4", "/out/d.mp4"};
    const XStrList kept = {"/out/a.mp4", "/out/c.mp4"};
    const XStrList renamed = {"/out/a.mp4", "/out/b DATE.mp4", "/out/c.mp4", "/out/d DATE.mp4"};
    const char* asked =
        "These outputs exist already:\n  /out/b\n  /out/d\n"
        "Overwrite all (o), skip all (s), rename all with the date appended (r), or cancel (c)? ";
    const Case cases[] = {
        {P::kOverwrite, false, "", false, 0, all, ""},
        {P::kSkip, true, "", false, 2, kept, ""},
        {P::kRename, false, "", false, 0, renamed, ""},
        {P::kAsk, false, "o\n", false, 2, kept, ""},
        {P::kAsk, true, "o\n", false, 0, all, asked},
        {P::kAsk, true, " SKIP \n", false, 2, kept, asked},
        {P::kAsk, true, "r\n", false, 0, renamed, asked},
        {P::kAsk, true, "c\n", true, 0, all, asked},
        {P::kAsk, true, "", true, 0, all, asked},
    };
    for (const Case& c : cases) {
        VMCCheckFilenamesState state = makeState();
        std::istringstream in(c.answers);
        std::ostringstream out;
        const VCliOnExists::Outcome outcome =
            VCliOnExists::resolve(c.policy, state, c.terminal, in, out);
        const std::string what = std::to_string(static_cast<int>(c.policy)) + " " + c.answers;
        EXPECT_EQ(outcome.cancelled, c.cancelled) << what;
        EXPECT_EQ(outcome.skipped, c.skipped) << what;
        EXPECT_EQ(out.str().rfind(c.prompt, 0), 0u) << what << ": " << out.str();
        if (c.cancelled) {
            continue;
        }
        // The date the sheet appends, as it writes it.
        XStrList outputs;
        for (const XStr& o : planned(state)) {
            const std::size_t dash = o.find(" - ");
            outputs.push_back(dash == XStr::npos ? o : o.left(dash) + " DATE.mp4");
        }
        EXPECT_EQ(outputs, c.outputs) << what;
        const auto spec = state.conversionSpec(VAConversionSpec());
        for (const VAConversionEntry& entry : spec->entries) {
            EXPECT_EQ(entry.overwriteExisting,
                      c.outputs == all && state.alreadyExists.count(entry.urlTo) != 0)
                << what << " " << entry.urlTo;
        }
    }
}

TEST(VCliOnExists, AQuestionIsAskedAgainUntilItIsAnswered) {
    VMCCheckFilenamesState state = makeState();
    std::istringstream in("x\nmaybe\ns\n");
    std::ostringstream out;
    const auto outcome = VCliOnExists::resolve(VCliOnExists::Policy::kAsk, state, true, in, out);
    EXPECT_EQ(outcome.skipped, 2u);
    std::size_t asked = 0;
    for (std::size_t at = 0;
         (at = out.str().find(VCliOnExists::kQuestion, at)) != std::string::npos; ++at) {
        ++asked;
    }
    EXPECT_EQ(asked, 3u);
}

TEST(VCliOnExists, NothingExistingAsksNothing) {
    VMCCheckFilenamesState state = makeState();
    state.alreadyExists.clear();
    std::istringstream in;
    std::ostringstream out;
    const auto outcome = VCliOnExists::resolve(VCliOnExists::Policy::kAsk, state, true, in, out);
    EXPECT_TRUE(outcome.note.empty());
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(state.numItemsChecked(), 4u);
}

TEST(VCliSettingsCommand, IntegersAreStoredAsNumbers) {
    for (const char* yes : {"0", "1", "-5", "9007199254740992", "0010"}) {
        EXPECT_TRUE(VCliSettingsCommand::isInteger(yes)) << yes;
    }
    for (const char* no : {"", "-", "1.5", "1e3", " 1", "+1", "9007199254740993",
                           "99999999999999999999", "0x10", "/-:;"}) {
        EXPECT_FALSE(VCliSettingsCommand::isInteger(no)) << no;
    }
}
