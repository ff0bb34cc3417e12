// The sheet that edits one encoder of the multi encoder: which encoder, its settings page
// (for which this sheet is the host), where its outputs go and its own effects. It works
// on its own entry; whoever opened it takes the entry when it ends with 1.
#pragma once

#include <memory>
#include <vector>

#include "VAEncoderDesc.h"
#include "VMCEncoderPage.h"
#include "VMCEncoderPageHost.h"
#include "VMCMultiEncEntry.h"
#include "VMCPage.h"

class VMCFileNaming;

class VMCMultiEncConfigureEncoderView {
public:
    virtual ~VMCMultiEncConfigureEncoderView() = default;
    virtual void endSheet(int code) = 0;
    // The encoder's page was made anew (another encoder was chosen).
    virtual void encoderPageChanged() {}
};

class VMCMultiEncConfigureEncoder : public VMCPage, public VMCEncoderPageHost {
public:
    static constexpr const char* kEncoderId = "encoder";
    static constexpr const char* kSettingsId = "settings";
    static constexpr const char* kOutputId = "output";
    static constexpr const char* kFolderId = "folder";
    static constexpr const char* kTemplateId = "template";
    static constexpr const char* kEffectsId = "effects";

    // encoders: the encoders that may be chosen (the catalogue without special ones).
    VMCMultiEncConfigureEncoder(VMCMultiEncEntry config, bool allowSameFolder,
                                std::vector<VAEncoderDesc> encoders,
                                VMCMultiEncConfigureEncoderView* view = nullptr);

    // Makes and loads the encoder's page; a new entry's page writes its defaults.
    void viewDidLoad();
    // The view that shows the sheet, or none.
    void setView(VMCMultiEncConfigureEncoderView* view) { mView = view; }
    // Whether the encoders offered need the GPL encoders, and with them the GPL effects.
    bool gplOffered() const;
    const VMCMultiEncEntry& config() const { return mConfig; }
    bool allowSameFolder() const { return mAllowSameFolder; }
    VMCEncoderPage* encoderPage() const { return mPage.get(); }

    // Another encoder: new, empty arguments, and its page made anew (which fills its
    // defaults). False for a name that may not be chosen.
    bool chooseEncoder(const XStr& name);
    // The naming of outputs; kSameFolder is refused when the source's folder is not
    // allowed.
    bool setNamingType(uint32_t type);
    void setDestinationFolder(const XStr& folder);
    void setTemplate(const XStr& format);
    // The naming as a whole (the output location picker's choice); the source's folder is
    // refused when it is not allowed.
    bool setFileNaming(const VMCFileNaming& naming);
    void setDspEffects(const std::vector<VADSPSpec>& chain);

    // The page finishes first, then the sheet ends with 1; Cancel ends it with 0. A sheet
    // ends once.
    void onOK();
    void onCancel();
    bool ended() const { return mEnded; }
    int result() const { return mResult; }

    // What the output choice offers, in order, and the naming type of each.
    std::vector<std::pair<XStr, uint32_t>> outputChoices() const;

    std::vector<VVCControl> pageView() const override;
    VMCPage* openSheet(const XStr& id) override;

    XStr encoderArgs() const override { return mConfig.encoderArgsV2.strArgs; }
    void setEncoderArgs(const XStr& args) override;
    VAEncoderArgs encoderArgsV2() const override { return mConfig.encoderArgsV2; }
    void setEncoderArgsV2(const VAEncoderArgs& args) override;
    bool encoderAllowSameFolder() const override { return mAllowSameFolder; }

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    void end(int code);
    void namingChanged();

    VMCMultiEncEntry mConfig;
    bool mAllowSameFolder;
    std::vector<VAEncoderDesc> mEncoders;
    VMCMultiEncConfigureEncoderView* mView;
    std::unique_ptr<VMCEncoderPage> mPage;
    bool mEnded = false;
    int mResult = 0;
};
