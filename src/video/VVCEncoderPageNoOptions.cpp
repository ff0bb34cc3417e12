#include "VVCEncoderPageNoOptions.h"

#include "VMCCodecLogos.h"

VVCEncoderPageNoOptions::VVCEncoderPageNoOptions(VMCEncoderPageHost* host, XStr fixedArgs,
                                                 const XStr& logoName)
    : VMCEncoderPage(host), mArgs(std::move(fixedArgs)), mCodecLogo(VMCCodecLogos::get(logoName)) {}

void VVCEncoderPageNoOptions::viewDidLoad() {
    mHost->setEncoderArgs(mArgs);
}
