// The effect chain as the setup panel edits it: adding from the menu, the settings window's
// two ways out, removing, moving, and presets on disk.
#include "VMCEffectChainEditor.h"

#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "VMCDSPPresetFile.h"

namespace {

struct Recorder : VMCEffectChainEditor::View {
    int changes = 0;
    std::unique_ptr<VMCDSPPage> page;
    XStrList settingsOpened;
    std::vector<std::pair<bool, XStr>> choosers;
    XStrList alerts;
    int installs = 0;

    void effectsChanged() override { ++changes; }
    void runEffectSettings(std::unique_ptr<VMCDSPPage> p, const XStr& name) override {
        page = std::move(p);
        settingsOpened.push_back(name);
    }
    void runPresetChooser(bool save, const XStr& title) override {
        choosers.emplace_back(save, title);
    }
    void showAlert(const XStr& message) override { alerts.push_back(message); }
    void showFFmpegInstall() override { ++installs; }
};

XStrList names(const VADSPChain& chain) {
    XStrList out;
    for (const VADSPSpec& spec : chain) {
        out.push_back(spec.name);
    }
    return out;
}

struct Editor {
    Recorder view;
    VMCEffectChainEditor editor{true};
    int owned = 0;
    Editor() {
        editor.setView(&view);
        editor.setOnChanged([this] { ++owned; });
    }
    // Adds the effect and answers its settings window with OK after setting one control.
    void addConfigured(const XStr& name, const XStr& id, const XStr& value) {
        ASSERT_TRUE(editor.addEffect(name));
        ASSERT_TRUE(view.page);
        ASSERT_TRUE(view.page->setControl(id, value)) << id;
        editor.effectSettingsDone(true, view.page->dspArgs());
        view.page.reset();
    }
};

TEST(VMCEffectChainEditor, AddedEffectsOpenTheirSettingsAndCancelPutsTheChainBack) {
    Editor e;
    e.addConfigured("Crop", "width", "320");
    ASSERT_EQ(e.editor.chain().size(), 1u);
    EXPECT_EQ(e.editor.chain()[0].name, XStr("Crop"));
    EXPECT_TRUE(e.editor.chain()[0].args.contains("crop=320:")) << e.editor.chain()[0].args;
    EXPECT_GE(e.owned, 2) << "the owner hears of the new effect and of its settings";

    // A new effect whose window is cancelled goes again.
    ASSERT_TRUE(e.editor.addEffect("Flip"));
    EXPECT_EQ(names(e.editor.chain()), (XStrList{"Crop", "Flip"}));
    EXPECT_TRUE(e.editor.settingsOpen());
    EXPECT_FALSE(e.editor.removeEffect(0)) << "nothing changes under an open window";
    EXPECT_FALSE(e.editor.addEffect("Rotate"));
    e.editor.effectSettingsDone(false, "-vf vflip");
    EXPECT_EQ(names(e.editor.chain()), XStrList{"Crop"});

    // Cancelled settings of an effect in the chain leave it as it was; OK takes the page's.
    const XStr cropArgs = e.editor.chain()[0].args;
    ASSERT_TRUE(e.editor.openSettings(0));
    ASSERT_TRUE(e.view.page->setControl("width", "640"));
    EXPECT_EQ(e.view.page->dspArgs().contains("crop=640:"), true) << "the window showed the page";
    e.editor.effectSettingsDone(false, e.view.page->dspArgs());
    EXPECT_EQ(e.editor.chain()[0].args, cropArgs);
    ASSERT_TRUE(e.editor.openSettings(0));
    ASSERT_TRUE(e.view.page->setControl("width", "640"));
    e.editor.effectSettingsDone(true, e.view.page->dspArgs());
    EXPECT_TRUE(e.editor.chain()[0].args.contains("crop=640:"));
    EXPECT_EQ(e.view.settingsOpened, (XStrList{"Crop", "Flip", "Crop", "Crop"}));
    EXPECT_TRUE(e.view.alerts.empty());
}

TEST(VMCEffectChainEditor, EffectsAreRemovedAndMoved) {
    Editor e;
    e.editor.setChain({{"Crop", "a"}, {"Flip", "b"}, {"Rotate", "c"}, {"Reverse", ""}});
    EXPECT_EQ(e.owned, 0) << "a chain handed over is not handed back";
    struct Row {
        const char* op;
        std::size_t from;
        std::size_t to;
        bool done;
        XStrList after;
    };
    const Row table[] = {
        {"move", 0, 2, true, {"Flip", "Rotate", "Crop", "Reverse"}},
        {"move", 3, 0, true, {"Reverse", "Flip", "Rotate", "Crop"}},
        {"move", 1, 1, true, {"Reverse", "Flip", "Rotate", "Crop"}},
        {"move", 1, 4, false, {"Reverse", "Flip", "Rotate", "Crop"}},
        {"remove", 4, 0, false, {"Reverse", "Flip", "Rotate", "Crop"}},
        {"remove", 1, 0, true, {"Reverse", "Rotate", "Crop"}},
        {"remove", 2, 0, true, {"Reverse", "Rotate"}},
    };
    for (const Row& row : table) {
        const bool done = XStr(row.op) == "move" ? e.editor.moveEffect(row.from, row.to)
                                                 : e.editor.removeEffect(row.from);
        EXPECT_EQ(done, row.done) << row.op << row.from << row.to;
        EXPECT_EQ(names(e.editor.chain()), row.after) << row.op << row.from << row.to;
    }
    EXPECT_EQ(e.editor.chain()[1], (VADSPSpec{"Rotate", "c"})) << "an effect moves with its args";
}

TEST(VMCEffectChainEditor, TheMenuOffersWhatMayBeAdded) {
    Editor withGPL;
    VMCEffectChainEditor without(false);
    Recorder view;
    without.setView(&view);
    const auto item = [](const VMCEffectChainEditor& editor, const XStr& title) {
        for (const VADSPMenu::Item& i : editor.addMenu()) {
            if (i.title == title) {
                return std::optional<VADSPMenu::Item>(i);
            }
        }
        return std::optional<VADSPMenu::Item>();
    };
    EXPECT_TRUE(item(withGPL.editor, "Denoiser (Wavelet)"));
    EXPECT_FALSE(item(withGPL.editor, VADSPMenu::kInstallMissing));
    EXPECT_FALSE(item(without, "Denoiser (Wavelet)"));
    EXPECT_FALSE(without.addEffect("Denoiser (Wavelet)")) << "not offered, not added";
    EXPECT_FALSE(without.addEffect("No Such Effect"));
    const std::optional<VADSPMenu::Item> install = item(without, VADSPMenu::kInstallMissing);
    ASSERT_TRUE(install);
    EXPECT_TRUE(without.chooseAddMenuItem(*install));
    EXPECT_EQ(view.installs, 1);
    EXPECT_TRUE(without.chain().empty());

    // An effect stored under a name the catalogue does not know has no page.
    withGPL.editor.setChain({{"Gone Effect", "-vf x"}});
    EXPECT_FALSE(withGPL.editor.openSettings(0));
    EXPECT_EQ(withGPL.view.alerts, XStrList{"Internal error while configuring DSP"});
    EXPECT_EQ(withGPL.editor.chain(), (VADSPChain{{"Gone Effect", "-vf x"}}));
}

TEST(VMCEffectChainEditor, PresetsRoundTripThroughUTF16Files) {
    const TestTempDir dir;
    Editor e;
    const VADSPChain chain = {{"Watermark", "-vf \"movie='/a b/logo.png'[wm]\""},
                              {"Crop", "-vf crop=10:10:0:0"},
                              {"Reverse", ""}};
    e.editor.setChain(chain);
    e.editor.askSavePreset();
    e.editor.askLoadPreset();
    EXPECT_EQ(e.view.choosers,
              (std::vector<std::pair<bool, XStr>>{{true, "Vantaro: Save DSP Effect Selections"},
                                                  {false, "Vantaro: Load DSP Effect Selections"}}));
    const XStr path = dir.xfile("set.dspeffect");
    ASSERT_TRUE(e.editor.savePresetTo(path));
    const std::string bytes = readTextFile(dir.file("set.dspeffect"));
    EXPECT_EQ(bytes, VMCDSPPresetFile::encode(VADSPList::mergeDSPString(chain)));
    EXPECT_EQ(bytes.substr(0, 4), std::string("-\0d\0", 4)) << "UTF-16LE without a mark";
    EXPECT_EQ(folderEntries(dir.path()), std::vector<std::string>{"set.dspeffect"})
        << "no temporary file left";

    Editor other;
    ASSERT_TRUE(other.editor.loadPresetFrom(path));
    EXPECT_EQ(other.editor.chain(), chain);
    EXPECT_EQ(other.owned, 1);

    // Text beyond the basic plane and a file marked as UTF-16 or written as UTF-8.
    const VADSPChain wide = {{"[Custom]", "-metadata title=\"\xF0\x9F\x8E\xAC film\""}};
    const std::string text = VADSPList::mergeDSPString(wide).utf8();
    for (const std::string& content :
         {VMCDSPPresetFile::encode(XStr(text)), "\xFF\xFE" + VMCDSPPresetFile::encode(XStr(text)),
          "\xEF\xBB\xBF" + text, text}) {
        writeTextFile(dir.file("wide.dspeffect"), content);
        ASSERT_TRUE(other.editor.loadPresetFrom(dir.xfile("wide.dspeffect")));
        EXPECT_EQ(other.editor.chain(), wide);
    }
    writeTextFile(dir.file("empty.dspeffect"), "");
    ASSERT_TRUE(other.editor.loadPresetFrom(dir.xfile("empty.dspeffect")));
    EXPECT_TRUE(other.editor.chain().empty()) << "the preset of an empty chain";
}

TEST(VMCEffectChainEditor, AFileThatIsNoPresetIsSaidAndChangesNothing) {
    const TestTempDir dir;
    ASSERT_EQ(mkdir(dir.file("folder.dspeffect").c_str(), 0755), 0);
    writeTextFile(dir.file("odd"), std::string("-\0d\0s", 5));
    writeTextFile(dir.file("lone surrogate"), std::string("\x00\xD8-\0", 4));
    writeTextFile(dir.file("words"), "just some words");
    writeTextFile(dir.file("binary"), std::string("\x89PNG\r\n\x1a\n\xff\x00", 10));
    writeTextFile(dir.file("huge"), std::string(VMCDSPPresetFile::kMaxBytes + 2, 'a'));
    struct Row {
        std::string name;
        const char* why;
    };
    const Row table[] = {
        {"missing", "No such file or directory"},
        {"folder.dspeffect", "Is a directory"},
        {"odd", "the file holds no effect chain"},
        {"lone surrogate", "the file holds no effect chain"},
        {"words", "the file holds no effect chain"},
        {"binary", "the file holds no effect chain"},
        {"huge", "the file is too large for an effect preset"},
    };
    Editor e;
    const VADSPChain chain = {{"Crop", "-vf crop=1:1:0:0"}};
    e.editor.setChain(chain);
    for (const Row& row : table) {
        e.view.alerts.clear();
        EXPECT_FALSE(e.editor.loadPresetFrom(dir.xfile(row.name))) << row.name;
        EXPECT_EQ(e.view.alerts, XStrList{"The effects could not be loaded from '" +
                                          dir.xfile(row.name) + "': " + row.why + "."});
        EXPECT_EQ(e.editor.chain(), chain) << row.name;
    }
    EXPECT_EQ(e.owned, 0);

    // A folder that is not there takes no preset, and leaves no file behind.
    e.view.alerts.clear();
    EXPECT_FALSE(e.editor.savePresetTo(dir.xfile("nowhere/set.dspeffect")));
    ASSERT_EQ(e.view.alerts.size(), 1u);
    EXPECT_TRUE(e.view.alerts[0].startsWith("The effects could not be saved to '" +
                                            dir.xfile("nowhere/set.dspeffect") + "': "));
    EXPECT_FALSE(fileExists(dir.file("nowhere")));
}

}  // namespace
