// The effect-chain editor of the setup panel: a list of effects with add (from the effect
// menu), remove, reorder, settings, and effect presets saved to and loaded from
// files. The chain it edits belongs to its owner, who is told after every change.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "VADSPList.h"
#include "VADSPMenu.h"
#include "VMCDSPPage.h"
#include "XStr.h"

class VMCEffectChainEditor {
public:
    class View {
    public:
        virtual ~View() = default;
        // The chain changed: the list is shown again.
        virtual void effectsChanged() = 0;
        // Shows the page in a settings window with OK and Cancel; the answer goes to
        // effectSettingsDone.
        virtual void runEffectSettings(std::unique_ptr<VMCDSPPage> page,
                                       const XStr& effectName) = 0;
        // Asks for a preset file to save to or to load; the answer goes to savePresetTo or
        // loadPresetFrom.
        virtual void runPresetChooser(bool save, const XStr& title) = 0;
        virtual void showAlert(const XStr& message) = 0;
        // The user asked for the effects that need another FFmpeg.
        virtual void showFFmpegInstall() = 0;
    };

    static constexpr const char* kInternalError = "Internal error while configuring DSP";
    static constexpr const char* kSaveTitle = "Vantaro: Save DSP Effect Selections";
    static constexpr const char* kLoadTitle = "Vantaro: Load DSP Effect Selections";

    // gplOffered: whether the effects that need the GPL filters may be added.
    explicit VMCEffectChainEditor(bool gplOffered) : mGplOffered(gplOffered) {}

    void setView(View* view) { mView = view; }
    // Called after every change the user makes.
    void setOnChanged(std::function<void()> onChanged) { mOnChanged = std::move(onChanged); }

    // Replaces the chain without telling the owner (it handed the chain over).
    void setChain(const VADSPChain& chain);
    const VADSPChain& chain() const { return mChain; }
    // The effect's argument text shown to people: safe to show, or a note that it is not set.
    XStr effectDetails(std::size_t index) const;

    // The items of the add menu.
    std::vector<VADSPMenu::Item> addMenu() const { return VADSPMenu::items(mGplOffered); }
    // The user chose an item of the add menu: an effect is appended and its settings
    // open; the install item asks for another FFmpeg. False for an item not in the menu.
    bool chooseAddMenuItem(const VADSPMenu::Item& item);
    bool addEffect(const XStr& name);
    bool removeEffect(std::size_t index);
    // The effect at from ends up at position to (both counted in the chain as it is).
    bool moveEffect(std::size_t from, std::size_t to);
    // Opens the settings of the effect; false when another settings window is open, for a
    // position past the end, and (after the alert) for an effect without a page.
    bool openSettings(std::size_t index);
    // The settings window ended: OK keeps the page's argument text; Cancel puts the chain
    // back as it was before the window opened (an effect just added goes again).
    void effectSettingsDone(bool ok, const XStr& args);
    bool settingsOpen() const { return mEditing.has_value(); }

    void askSavePreset();
    void askLoadPreset();
    // False, after an alert, when the file cannot be written; the chain stays.
    bool savePresetTo(const XStr& path);
    // False, after an alert, for a file that cannot be read or holds no effects; the chain
    // stays as it was.
    bool loadPresetFrom(const XStr& path);

private:
    // Cancel puts back the chain given.
    bool openSettingsRestoring(std::size_t index, VADSPChain restore);
    void changed();
    void alert(const XStr& message) const;

    bool mGplOffered;
    View* mView = nullptr;
    std::function<void()> mOnChanged;
    VADSPChain mChain;
    // The effect whose settings window is open, and the chain before it opened.
    std::optional<std::size_t> mEditing;
    VADSPChain mChainBeforeSettings;
};
