#include "VMCEncoderPageMultiEnc.h"

#include "VMCDestinationText.h"
#include "VMCEncoderPageIndex.h"
#include "VMCFileNaming.h"
#include "VVCCodecs.h"

namespace {

constexpr const char* kNamePrefix = "name";
constexpr const char* kEditPrefix = "edit";
constexpr const char* kRemovePrefix = "remove";

XStr where(const VMCFileNaming& naming, bool shown) {
    switch (naming.fileNamingType()) {
        case VMCFileNaming::kSameFolder:
            return "beside the source";
        case VMCFileNaming::kSingleFolder:
            return shown ? "to " + VMCDestinationText::describe(naming)
                         : "into " + naming.destination().url();
        case VMCFileNaming::kDynamic:
            return shown ? "to " + VMCDestinationText::describe(naming)
                         : "as " + naming.descriptionRaw();
        default:
            return "as the main naming says";
    }
}

}  // namespace

VMCEncoderPageMultiEnc::VMCEncoderPageMultiEnc(VMCEncoderPageHost* host)
    : VMCEncoderPageMultiEnc(host, VVCCodecs::listEncoders()) {}

VMCEncoderPageMultiEnc::VMCEncoderPageMultiEnc(VMCEncoderPageHost* host,
                                               std::vector<VAEncoderDesc> encoders)
    : VMCEncoderPage(host), mEncoders(std::move(encoders)) {}

void VMCEncoderPageMultiEnc::registerWithIndex() {
    VMCEncoderPageIndex::registerPage(VAEncoderDesc::strMultiEncoder, [](VMCEncoderPageHost* h) {
        return std::make_unique<VMCEncoderPageMultiEnc>(h);
    });
}

void VMCEncoderPageMultiEnc::viewDidLoad() {
    const XStr args = mHost->encoderArgs();
    mConfig = VMCMultiEncConfig::fromString(args, mEncoders);
    if (args.empty()) {
        updateArgs();
    }
}

std::vector<VAEncoderDesc> VMCEncoderPageMultiEnc::offeredEncoders() const {
    return VAEncoderDesc::listEncoders_dropSpecial(mEncoders);
}

void VMCEncoderPageMultiEnc::updateArgs() {
    mHost->setEncoderArgs(mConfig.toString());
}

std::unique_ptr<VMCMultiEncConfigureEncoder> VMCEncoderPageMultiEnc::addEntry(
    VMCMultiEncConfigureEncoderView* view) const {
    const std::vector<VAEncoderDesc> offered = offeredEncoders();
    if (offered.empty()) {
        return nullptr;
    }
    VMCMultiEncEntry entry = VMCMultiEncConfig::newEntry(offered.front());
    const bool sameFolder = mHost->encoderAllowSameFolder();
    if (!sameFolder) {
        entry.fileNaming->setFileNamingType(VMCFileNaming::kSingleFolder);
    }
    auto sheet = std::make_unique<VMCMultiEncConfigureEncoder>(std::move(entry), sameFolder,
                                                               mEncoders, view);
    sheet->viewDidLoad();
    return sheet;
}

void VMCEncoderPageMultiEnc::confirmAdd(const VMCMultiEncConfigureEncoder& sheet) {
    mConfig.entries().push_back(sheet.config().copy());
    updateArgs();
}

std::unique_ptr<VMCMultiEncConfigureEncoder> VMCEncoderPageMultiEnc::editEntry(
    std::size_t index, VMCMultiEncConfigureEncoderView* view) const {
    if (index >= mConfig.entries().size()) {
        return nullptr;
    }
    auto sheet = std::make_unique<VMCMultiEncConfigureEncoder>(
        mConfig.entries()[index], mHost->encoderAllowSameFolder(), mEncoders, view);
    sheet->viewDidLoad();
    return sheet;
}

void VMCEncoderPageMultiEnc::confirmEdit(std::size_t index,
                                         const VMCMultiEncConfigureEncoder& sheet) {
    if (index >= mConfig.entries().size()) {
        return;
    }
    mConfig.entries()[index].copyFrom(sheet.config());
    updateArgs();
}

void VMCEncoderPageMultiEnc::removeEntry(std::size_t index) {
    if (index >= mConfig.entries().size()) {
        return;
    }
    mConfig.entries().erase(mConfig.entries().begin() + static_cast<std::ptrdiff_t>(index));
    updateArgs();
}

void VMCEncoderPageMultiEnc::setMultiCPU(bool on) {
    mConfig.setMultiCPU(on);
    updateArgs();
}

XStr VMCEncoderPageMultiEnc::describeEntry(const VMCMultiEncEntry& entry, bool shown) {
    XStr text = entry.encoder.name;
    if (entry.fileNaming) {
        text += ", " + where(*entry.fileNaming, shown);
    }
    const std::size_t effects = entry.dspEffects.size();
    if (effects == 1) {
        text += ", 1 effect";
    } else if (effects > 1) {
        text += XStr::format(", %zu effects", effects);
    }
    return text;
}

std::vector<VVCControl> VMCEncoderPageMultiEnc::pageView() const {
    std::vector<VVCControl> controls;
    std::size_t i = 0;
    for (const VMCMultiEncEntry& entry : mConfig.entries()) {
        ++i;
        controls.push_back(
            VVCControl::label(XStr(kNamePrefix) + XStr::number(i),
                              XStr::format("%zu. ", i) + describeEntry(entry, true)));
        controls.push_back(
            VVCControl::button(XStr(kEditPrefix) + XStr::number(i), "Settings...", true));
        controls.push_back(
            VVCControl::button(XStr(kRemovePrefix) + XStr::number(i), "Remove").beside());
    }
    controls.push_back(VVCControl::button(kAddId, "Add Encoder...", true));
    controls.push_back(VVCControl::checkBox(kMultiCPUId, "Run the encoders of one file at once",
                                            mConfig.multiCPU()));
    return controls;
}

std::size_t VMCEncoderPageMultiEnc::entryOf(const XStr& id, const char* prefix) {
    const XStr p(prefix);
    if (!id.startsWith(p) || id.size() == p.size()) {
        return 0;
    }
    const XStr digits = id.substr(p.size());
    for (const char32_t c : digits) {
        if (c < U'0' || c > U'9') {
            return 0;
        }
    }
    return static_cast<std::size_t>(digits.toInt64());
}

VMCPage* VMCEncoderPageMultiEnc::openSheet(const XStr& id) {
    if (id == kAddId) {
        mSheet = addEntry();
    } else if (const std::size_t n = entryOf(id, kEditPrefix); n != 0) {
        mSheet = editEntry(n - 1);
    } else {
        mSheet.reset();
    }
    return mSheet.get();
}

void VMCEncoderPageMultiEnc::closeSheet(const XStr& id, bool ok) {
    if (!mSheet) {
        return;
    }
    if (ok) {
        mSheet->onOK();
        if (id == kAddId) {
            confirmAdd(*mSheet);
        } else if (const std::size_t n = entryOf(id, kEditPrefix); n != 0) {
            confirmEdit(n - 1, *mSheet);
        }
    } else {
        mSheet->onCancel();
    }
    mSheet.reset();
}

void VMCEncoderPageMultiEnc::applyControl(const VVCControl& control, const VVCControlValue& value) {
    if (control.id == kMultiCPUId) {
        setMultiCPU(value.integer != 0);
    } else if (const std::size_t n = entryOf(control.id, kRemovePrefix); n != 0) {
        removeEntry(n - 1);
    }
}
