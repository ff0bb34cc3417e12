#include "VMCMultiEncConfigureEncoder.h"

#include <algorithm>

#include "VADSPList.h"
#include "VMCEncoderPageIndex.h"
#include "VMCFileNaming.h"
#include "VMCMultiEncConfig.h"
#include "VVCCodecs.h"

VMCMultiEncConfigureEncoder::VMCMultiEncConfigureEncoder(VMCMultiEncEntry config,
                                                         bool allowSameFolder,
                                                         std::vector<VAEncoderDesc> encoders,
                                                         VMCMultiEncConfigureEncoderView* view)
    : mConfig(config.copy()),
      mAllowSameFolder(allowSameFolder),
      mEncoders(std::move(encoders)),
      mView(view) {}

void VMCMultiEncConfigureEncoder::viewDidLoad() {
    mPage = VMCEncoderPageIndex::createFor(mConfig.encoder.name, this);
    if (mPage) {
        mPage->viewDidLoad();
    }
}

bool VMCMultiEncConfigureEncoder::gplOffered() const {
    return std::any_of(mEncoders.begin(), mEncoders.end(),
                       [](const VAEncoderDesc& e) { return VVCCodecs::isGPL(e.name); });
}

bool VMCMultiEncConfigureEncoder::chooseEncoder(const XStr& name) {
    const VAEncoderDesc* encoder = VAEncoderDesc::findEncoder(mEncoders, name);
    if (encoder == nullptr || encoder->isSpecialPurpose) {
        return false;
    }
    mConfig.encoder = *encoder;
    mConfig.encoderArgsV2 = VAEncoderArgs();
    VMCMultiEncConfig::tellNaming(mConfig);
    // The view lets go of the old page before it goes.
    const std::unique_ptr<VMCEncoderPage> old = std::move(mPage);
    viewDidLoad();
    if (mView != nullptr) {
        mView->encoderPageChanged();
    }
    return true;
}

std::vector<std::pair<XStr, uint32_t>> VMCMultiEncConfigureEncoder::outputChoices() const {
    std::vector<std::pair<XStr, uint32_t>> choices;
    if (mAllowSameFolder) {
        choices.emplace_back("Same folder as the source", VMCFileNaming::kSameFolder);
    }
    choices.emplace_back("One folder", VMCFileNaming::kSingleFolder);
    choices.emplace_back("Folder and naming template", VMCFileNaming::kDynamic);
    choices.emplace_back("Use the main naming", VMCFileNaming::kUseParent);
    return choices;
}

bool VMCMultiEncConfigureEncoder::setNamingType(uint32_t type) {
    if (type > VMCFileNaming::kUseParent ||
        (type == VMCFileNaming::kSameFolder && !mAllowSameFolder)) {
        return false;
    }
    mConfig.fileNaming->setFileNamingType(type);
    namingChanged();
    return true;
}

void VMCMultiEncConfigureEncoder::setDestinationFolder(const XStr& folder) {
    mConfig.fileNaming->setDestination(VMCLocationDescriptor::withFolderPath(folder));
    // Choosing a folder is choosing to write there.
    if (!mConfig.fileNaming->usingDestinationFolder()) {
        mConfig.fileNaming->setFileNamingType(VMCFileNaming::kSingleFolder);
    }
    namingChanged();
}

void VMCMultiEncConfigureEncoder::setTemplate(const XStr& format) {
    mConfig.fileNaming->setDynamicFormat(VMCFileNaming::sanitizeDynamicPattern(format));
    mConfig.fileNaming->setFileNamingType(VMCFileNaming::kDynamic);
    namingChanged();
}

bool VMCMultiEncConfigureEncoder::setFileNaming(const VMCFileNaming& naming) {
    if (naming.fileNamingType() == VMCFileNaming::kSameFolder && !mAllowSameFolder) {
        return false;
    }
    *mConfig.fileNaming = naming;
    namingChanged();
    return true;
}

void VMCMultiEncConfigureEncoder::setDspEffects(const std::vector<VADSPSpec>& chain) {
    mConfig.dspEffects = chain;
    VMCMultiEncConfig::tellNaming(mConfig);
}

void VMCMultiEncConfigureEncoder::namingChanged() {
    VMCMultiEncConfig::tellNaming(mConfig);
}

void VMCMultiEncConfigureEncoder::onOK() {
    if (mEnded) {
        return;
    }
    if (mPage) {
        mPage->pageWillClose();
    }
    end(1);
}

void VMCMultiEncConfigureEncoder::onCancel() {
    if (!mEnded) {
        end(0);
    }
}

void VMCMultiEncConfigureEncoder::end(int code) {
    mEnded = true;
    mResult = code;
    if (mView != nullptr) {
        mView->endSheet(code);
    }
}

void VMCMultiEncConfigureEncoder::setEncoderArgs(const XStr& args) {
    mConfig.encoderArgsV2.strArgs = args;
    VMCMultiEncConfig::tellNaming(mConfig);
}

void VMCMultiEncConfigureEncoder::setEncoderArgsV2(const VAEncoderArgs& args) {
    mConfig.encoderArgsV2 = args;
    VMCMultiEncConfig::tellNaming(mConfig);
}

std::vector<VVCControl> VMCMultiEncConfigureEncoder::pageView() const {
    XStrList names;
    int current = -1;
    for (const VAEncoderDesc& encoder : VAEncoderDesc::listEncoders_dropSpecial(mEncoders)) {
        if (encoder.name == mConfig.encoder.name) {
            current = static_cast<int>(names.size());
        }
        names.push_back(encoder.name);
    }
    const VMCFileNaming& naming = *mConfig.fileNaming;
    XStrList outputs;
    int output = -1;
    for (const auto& [title, type] : outputChoices()) {
        if (type == naming.fileNamingType()) {
            output = static_cast<int>(outputs.size());
        }
        outputs.push_back(title);
    }
    std::vector<VVCControl> controls = {
        VVCControl::choice(kEncoderId, "Encoder", names, current),
        VVCControl::button(kSettingsId, "Settings...", true),
        VVCControl::choice(kOutputId, "Output", outputs, output),
        VVCControl::textField(kFolderId, "Folder", naming.destination().url()),
        VVCControl::textField(kTemplateId, "Naming template", naming.dynamicFormat()),
        VVCControl::textField(kEffectsId, "Effects", VADSPList::dspsToString(mConfig.dspEffects)),
    };
    // Typing a folder or a template chooses the naming that uses it.
    controls[1].enabled = mPage != nullptr;
    return controls;
}

VMCPage* VMCMultiEncConfigureEncoder::openSheet(const XStr& id) {
    return id == kSettingsId ? mPage.get() : nullptr;
}

void VMCMultiEncConfigureEncoder::applyControl(const VVCControl& control,
                                               const VVCControlValue& value) {
    if (control.id == kEncoderId && value.integer >= 0 &&
        static_cast<std::size_t>(value.integer) < control.items.size()) {
        chooseEncoder(control.items[static_cast<std::size_t>(value.integer)]);
    } else if (control.id == kOutputId) {
        const auto choices = outputChoices();
        if (value.integer >= 0 && static_cast<std::size_t>(value.integer) < choices.size()) {
            setNamingType(choices[static_cast<std::size_t>(value.integer)].second);
        }
    } else if (control.id == kFolderId) {
        setDestinationFolder(value.text);
    } else if (control.id == kTemplateId) {
        setTemplate(value.text);
    } else if (control.id == kEffectsId) {
        setDspEffects(VADSPList::stringToDSPs(value.text));
    }
}
