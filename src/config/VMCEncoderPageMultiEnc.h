// The multi encoder's settings page: the list of configured encoders, each opened in the
// configure sheet to change it, and an add button whose sheet appends a new one. Like every
// encoder page it keeps nothing but what its host's argument text says and writes the
// whole configuration back after every change.
#pragma once

#include <memory>
#include <vector>

#include "VMCEncoderPage.h"
#include "VMCMultiEncConfig.h"
#include "VMCMultiEncConfigureEncoder.h"

class VMCEncoderPageMultiEnc : public VMCEncoderPage {
public:
    static constexpr const char* kAddId = "add";
    static constexpr const char* kMultiCPUId = "multiCPU";

    // The catalogue of the FFmpeg in use unless given.
    explicit VMCEncoderPageMultiEnc(VMCEncoderPageHost* host);
    VMCEncoderPageMultiEnc(VMCEncoderPageHost* host, std::vector<VAEncoderDesc> encoders);

    // Lets VMCEncoderPageIndex make this page for "[Multi Encoder]".
    static void registerWithIndex();

    void viewDidLoad() override;
    std::vector<VVCControl> pageView() const override;
    VMCPage* openSheet(const XStr& id) override;
    void closeSheet(const XStr& id, bool ok) override;

    const VMCMultiEncConfig& configuration() const { return mConfig; }
    // The encoders an entry may use: the catalogue without special-purpose ones.
    std::vector<VAEncoderDesc> offeredEncoders() const;

    // A sheet on a new entry of the first offered encoder (to a folder of its own when the
    // host does not allow the source's folder); only confirmAdd appends it.
    std::unique_ptr<VMCMultiEncConfigureEncoder> addEntry(
        VMCMultiEncConfigureEncoderView* view = nullptr) const;
    void confirmAdd(const VMCMultiEncConfigureEncoder& sheet);
    // A sheet on a copy of the entry; confirmEdit copies the result back.
    std::unique_ptr<VMCMultiEncConfigureEncoder> editEntry(
        std::size_t index, VMCMultiEncConfigureEncoderView* view = nullptr) const;
    void confirmEdit(std::size_t index, const VMCMultiEncConfigureEncoder& sheet);
    void removeEntry(std::size_t index);
    void setMultiCPU(bool on);

    // One line about an entry: its encoder, where its outputs go, how many effects. Where,
    // as the page shows it: the folder in its shown form and the template's elements by
    // their names; else as typed: the folder's path and the template itself.
    static XStr describeEntry(const VMCMultiEncEntry& entry, bool shown = false);

protected:
    void applyControl(const VVCControl& control, const VVCControlValue& value) override;

private:
    void updateArgs();
    // The entry (from 1) a control of the entry list names, or 0.
    static std::size_t entryOf(const XStr& id, const char* prefix);

    std::vector<VAEncoderDesc> mEncoders;
    VMCMultiEncConfig mConfig;
    std::unique_ptr<VMCMultiEncConfigureEncoder> mSheet;
};
