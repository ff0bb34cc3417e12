// The sheet for outputs that exist already: what it lists, and what each button leaves in
// the check's state.
#include <gtest/gtest.h>

#include <ctime>

#include "CheckTestSupport.h"
#include "VMCFileAlreadyExistsDialog.h"

namespace {

class RecordingView : public VMCFileAlreadyExistsView {
public:
    void endSheet(int code) override { ends.push_back(code); }
    std::vector<int> ends;
};

class FileAlreadyExists : public CheckTest {
protected:
    // Outputs a to e; b, c and d exist, d twice (two encoders, one destination).
    std::shared_ptr<VMCCheckFilenamesState> makeState() {
        auto state = std::make_shared<VMCCheckFilenamesState>();
        for (const char* name : {"a", "b", "c", "d", "d", "e"}) {
            VMCCheckFileNamesEntry entry;
            entry.destination = XStr("/home/tester/Videos/") + name + ".mp4";
            state->entries.push_back(entry);
        }
        state->alreadyExists = {"/home/tester/Videos/b.mp4", "/home/tester/Videos/c.mp4",
                                "/home/tester/Videos/d.mp4"};
        return state;
    }
    std::vector<bool> checks(const VMCCheckFilenamesState& state) {
        std::vector<bool> out;
        for (const VMCCheckFileNamesEntry& entry : state.entries) {
            out.push_back(entry.checked);
        }
        return out;
    }
    // Ends are delivered through the main thread.
    void deliver() { mLoop->runPending(); }
};

}  // namespace

TEST_F(FileAlreadyExists, TheSheetListsEachExistingDestinationOnce) {
    auto state = makeState();
    RecordingView view;
    auto dialog = std::make_shared<VMCFileAlreadyExistsDialog>(state, &view);
    EXPECT_EQ(dialog->items(), (std::vector<std::size_t>{1, 2, 3}));
    EXPECT_EQ(dialog->displayPath(0), "Videos/b");
    dialog->setChecked(2, false);
    EXPECT_EQ(checks(*state), (std::vector<bool>{true, true, true, false, false, true}))
        << "both outputs to d follow its box";
    dialog->onMenuUncheckAll();
    EXPECT_EQ(checks(*state), (std::vector<bool>{true, false, false, false, false, true}));
    dialog->onMenuCheckAll();
    EXPECT_EQ(checks(*state), std::vector<bool>(6, true));
}

TEST_F(FileAlreadyExists, ButtonsEndTheSheetOnceWithTheirCode) {
    struct Case {
        const char* what;
        void (VMCFileAlreadyExistsDialog::*button)();
        bool allCollide;
        int code;
        std::vector<bool> checked;
    };
    const Case cases[] = {
        {"overwrite", &VMCFileAlreadyExistsDialog::onButtonOverwrite, false, 1,
         std::vector<bool>(6, true)},
        {"cancel", &VMCFileAlreadyExistsDialog::onButtonCancel, false, 0,
         std::vector<bool>(6, true)},
        {"no to all",
         &VMCFileAlreadyExistsDialog::onButtonNoToAll,
         false,
         1,
         {true, false, false, false, false, true}},
        {"no to all, nothing left", &VMCFileAlreadyExistsDialog::onButtonNoToAll, true, 0,
         std::vector<bool>(6, false)},
    };
    for (const Case& c : cases) {
        auto state = makeState();
        if (c.allCollide) {
            for (const VMCCheckFileNamesEntry& entry : state->entries) {
                state->alreadyExists.insert(entry.destination);
            }
        }
        RecordingView view;
        auto dialog = std::make_shared<VMCFileAlreadyExistsDialog>(state, &view);
        ((*dialog).*(c.button))();
        EXPECT_TRUE(view.ends.empty()) << c.what << ": not from inside the handler";
        dialog->onButtonCancel();
        deliver();
        EXPECT_EQ(view.ends, std::vector<int>{c.code}) << c.what;
        EXPECT_EQ(checks(*state), c.checked) << c.what;
    }
}

TEST_F(FileAlreadyExists, RenamingKeepsTheExtensionAndAppendingTheDateRenamesAll) {
    ScopedEnv tz("TZ", "UTC");
    tzset();
    auto state = makeState();
    RecordingView view;
    auto dialog = std::make_shared<VMCFileAlreadyExistsDialog>(state, &view);
    dialog->setDisplayPath("Videos/elsewhere/new name", 0);
    EXPECT_EQ(state->entries[1].destination, "/home/tester/Videos/elsewhere/new name.mp4");
    dialog->setDisplayPath("/tmp/x", 1);
    EXPECT_EQ(state->entries[2].destination, "/tmp/x.mp4");

    // 2024-01-02 03:04:05 UTC, in the C locale's short date.
    dialog->setClock([] { return std::time_t{1704164645}; });
    EXPECT_EQ(VMCFileAlreadyExistsDialog::dateSuffix(1704164645), " - 01-02-24 03:04");
    dialog->onMenuAppendDate();
    EXPECT_EQ(state->entries[1].destination,
              "/home/tester/Videos/elsewhere/new name - 01-02-24 03:04.mp4");
    EXPECT_EQ(state->entries[3].destination, "/home/tester/Videos/d - 01-02-24 03:04.mp4");
    EXPECT_EQ(state->entries[4].destination, "/home/tester/Videos/d.mp4")
        << "only the listed output is renamed";
    const auto spec = state->conversionSpec(VMCProfile::profileNamed("AVI", std::nullopt),
                                            VAEncoderDesc::makeVideoCodec("AVI", ".avi"));
    EXPECT_FALSE(spec->entries[3].overwriteExisting) << "a renamed output replaces nothing";
    EXPECT_TRUE(spec->entries[4].overwriteExisting);
}

TEST_F(FileAlreadyExists, TheMessageCountsTheListedFiles) {
    auto several = makeState();
    auto one = makeState();
    one->alreadyExists = {"/home/tester/Videos/d.mp4"};
    EXPECT_EQ(VMCFileAlreadyExistsDialog(several, nullptr).messageText(),
              "3 output files exist already. Checked files are replaced; unchecked ones are "
              "skipped. A new file can also be given another name.");
    EXPECT_EQ(VMCFileAlreadyExistsDialog(one, nullptr).messageText(),
              "This output file exists already. Leave it checked to replace it, uncheck it to "
              "skip its conversion, or give the new file another name.")
        << "one destination of two outputs is one file";
}
