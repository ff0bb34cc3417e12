// The converter's setup panel: the encoder or profile to convert with, its settings page,
// the effect chain, where the outputs go, how many files are checked, Convert and Cancel.
// It edits the active profile of the host's configuration; leaving the panel by any road
// saves that profile and the destination's place in the recent list first.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "VMCConfig.h"
#include "VMCCreateProfile.h"
#include "VMCEffectChainEditor.h"
#include "VMCEncoderPage.h"
#include "VMCEncoderPageHost.h"
#include "VMCOutputLocationPickerV2.h"
#include "VMCPanel.h"
#include "XStr.h"

class VMCPanelHost;

class VMCPreConvertDialog : public VMCPanel,
                            public VMCEncoderPageHost,
                            private VMCCreateProfileView {
public:
    class View {
    public:
        virtual ~View() = default;
        // The encoder picker's rows or its selection changed.
        virtual void encoderPickerChanged() = 0;
        // Another encoder page is shown (encoderPage()); the one shown before goes away when
        // this returns.
        virtual void encoderPageChanged() = 0;
        // The file count or whether Convert is enabled changed.
        virtual void fileCountChanged() = 0;
        // An alert with one button.
        virtual void showAlert(const XStr& message) = 0;
        // The sheet that names a new profile, its field filled with fieldText, beside it the
        // encoder; the answer goes to createProfileNamed or cancelCreateProfile.
        virtual void askNewProfileName(const XStr& fieldText, const XStr& encoderLabel) = 0;
        // "Yes" first, "No" on Escape; the answer goes to deleteProfileAnswered.
        virtual void askDeleteProfile(const XStr& question) = 0;
        // The user asked for the encoders that need another FFmpeg.
        virtual void showFFmpegInstall() = 0;
    };

    struct PickerItem {
        enum class Kind { kProfile, kSeparator, kInstallCodecs, kCreateProfile, kDeleteProfile };
        Kind kind = Kind::kProfile;
        XStr title;
        // The codec's image for encoders; empty for the other rows.
        XStr logoPath;
        bool enabled = true;

        friend bool operator==(const PickerItem&, const PickerItem&) = default;
    };

    static constexpr const char* kInstallCodecs = "Install missing codecs - MP4, Matroska and more";
    static constexpr const char* kAccessAlert =
        "Could not access destination folder:\n%@\nIf it is a network share, please make sure it "
        "is accessible.";
    static constexpr const char* kSizeClass = "Converter Setup";

    // Edits the host's configuration and converts its entries.
    explicit VMCPreConvertDialog(VMCPanelHost& host);
    VMCPreConvertDialog(VMCPanelHost& host, std::shared_ptr<VMCConfig> config);
    ~VMCPreConvertDialog() override;
    VMCPreConvertDialog(const VMCPreConvertDialog&) = delete;
    VMCPreConvertDialog& operator=(const VMCPreConvertDialog&) = delete;

    void setView(View* view) { mView = view; }
    VMCConfig& config() const { return *mConfig; }
    VMCOutputLocationPickerV2& locationPicker() { return mLocationPicker; }
    VMCEffectChainEditor& effects() { return mEffects; }
    // The active profile's settings page; null for an encoder without one.
    VMCEncoderPage* encoderPage() const { return mPage.get(); }
    XStr activeProfileName() const { return mConfig->activeProfileName(); }

    const std::vector<PickerItem>& pickerItems() const { return mPickerItems; }
    // The row of the active profile.
    std::optional<std::size_t> selectedPickerIndex() const;
    // The user chose a row of the encoder picker.
    void encoderSelected(std::size_t index);
    // The same by the row's title; false when no row has it.
    bool encoderSelected(const XStr& title);

    // False, after the alert, for a name that may not be used: the sheet stays open.
    bool createProfileNamed(const XStr& name);
    void cancelCreateProfile();
    void deleteProfileAnswered(bool yes);

    std::size_t numToConvert() const;
    // "No files", "1 file", "%u files", or the sources' special action.
    XStr fileCountText() const;
    bool convertEnabled() const { return numToConvert() > 0; }
    // The host's entries were checked or unchecked.
    void entriesChanged();

    // Convert: saves, checks that the destination can be reached, then hands over to the
    // host; an unreachable destination is said and the panel stays.
    void onButtonGo();
    void onButtonCancel();

    // VMCPanel
    XStr panelName() const override;
    XStr panelSizeClass() const override { return kSizeClass; }
    VMCPanelSize minimumSize() const override { return {560, 420}; }
    VMCPanelSize preferredSize() const override { return {820, 600}; }
    void panelWillClose() override;

    // VMCEncoderPageHost
    XStr encoderArgs() const override;
    void setEncoderArgs(const XStr& args) override;
    VAEncoderArgs encoderArgsV2() const override;
    void setEncoderArgsV2(const VAEncoderArgs& args) override;
    bool encoderAllowSameFolder() const override;

private:
    // VMCCreateProfileView
    void showAlert(const XStr& message) override;

    void rebuildPicker();
    // Shows the active profile: its page, destination and effects.
    void loadActiveProfile();
    // The page finishes its edits, the profile is saved, the destination joins the recent
    // ones.
    void saveEverything();
    void updateNamingContext();

    VMCPanelHost& mHost;
    std::shared_ptr<VMCConfig> mConfig;
    View* mView = nullptr;
    std::vector<PickerItem> mPickerItems;
    VMCOutputLocationPickerV2 mLocationPicker;
    VMCEffectChainEditor mEffects;
    std::unique_ptr<VMCCreateProfile> mCreate;
    VMCConfig::ProfilePtr mDeleting;
    // The profile the page, the picker and the effects edit.
    VMCConfig::ProfilePtr mProfile;
    std::unique_ptr<VMCEncoderPage> mPage;
};
