#include "VADSPDesc.h"

VADSPDesc VADSPDesc::makeVideoDSP(const XStr& name, bool enabled) {
    VADSPDesc desc;
    desc.hidden = !enabled;
    desc.name = name;
    return desc;
}
