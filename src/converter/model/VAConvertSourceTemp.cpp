#include "VAConvertSourceTemp.h"

std::shared_ptr<VAConvertSourceTemp> VAConvertSourceTemp::withURL(const XStr& path,
                                                                  const XStr& options) {
    auto source = std::make_shared<VAConvertSourceTemp>();
    if (!source->m_temp.Create()) {
        return nullptr;
    }
    source->urlPerceived = path;
    source->urlForConversion = source->m_temp.Path();
    source->inputOptions = options;
    return source;
}
