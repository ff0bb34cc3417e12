#include "VVCEncoderPageExtractAudio.h"

#include <algorithm>

#include "VAElemValueList.h"

namespace {

const XStr kStreamMarker("0:a:");
// More audio streams than a file can hold are a typing error, not a choice to offer.
constexpr int64_t kMaxStreamIndex = 999;

}  // namespace

VVCEncoderPageExtractAudio::VVCEncoderPageExtractAudio(VMCEncoderPageHost* host, bool acodecCopy,
                                                       XStr note)
    : VMCEncoderPage(host), mAcodecCopy(acodecCopy), mNote(std::move(note)) {}

void VVCEncoderPageExtractAudio::viewDidLoad() {
    const VAElemValueList list(mHost->encoderArgs());
    if (list.count() == 0) {
        mIdxStream = 0;
        refreshArgs();
    }
    const XStr map = list.findValue("map", XStr());
    mIdxStream = map.startsWith(kStreamMarker)
                     ? static_cast<uint32_t>(std::clamp<int64_t>(
                           map.substr(kStreamMarker.size()).toInt64(), 0, kMaxStreamIndex))
                     : 0;
}

std::vector<VVCControl> VVCEncoderPageExtractAudio::pageView() const {
    XStrList items;
    const uint32_t offered = std::max(kOfferedStreams, mIdxStream + 1);
    for (uint32_t i = 1; i <= offered; ++i) {
        items.push_back(XStr::format("Audio stream %u", i));
    }
    std::vector<VVCControl> controls = {
        VVCControl::choice("stream", "Audio stream", items, static_cast<int>(mIdxStream))};
    if (!mNote.empty()) {
        controls.push_back(VVCControl::label("note", mNote));
    }
    return controls;
}

XStr VVCEncoderPageExtractAudio::encoderArgs() const {
    VAElemValueList list;
    list.addElem("vn");
    if (mAcodecCopy) {
        list.addElem("acodec", XStr("copy"));
    }
    list.addElem("map", XStr::format("0:a:%u", mIdxStream));
    return list.mergeToString_alternate();
}

void VVCEncoderPageExtractAudio::refreshArgs() {
    mHost->setEncoderArgs(encoderArgs());
}

void VVCEncoderPageExtractAudio::streamChanged(uint32_t idxStream) {
    mIdxStream = idxStream;
    refreshArgs();
}

void VVCEncoderPageExtractAudio::applyControl(const VVCControl& control,
                                              const VVCControlValue& value) {
    if (control.id == "stream") {
        streamChanged(static_cast<uint32_t>(value.integer));
    }
}
