// A source whose data is handed to FFmpeg from a temporary file this object owns; the
// file goes with the object.
#pragma once

#include <memory>

#include "VAConvertSource.h"
#include "XStr.h"
#include "XTempFile.h"

class VAConvertSourceTemp : public VAConvertSource {
public:
    VAConvertSourceTemp() = default;
    VAConvertSourceTemp(const VAConvertSourceTemp&) = delete;
    VAConvertSourceTemp& operator=(const VAConvertSourceTemp&) = delete;

    // urlPerceived is the path, urlForConversion a new empty temporary file ending in
    // ".tmp"; null when no temporary file can be made.
    static std::shared_ptr<VAConvertSourceTemp> withURL(const XStr& path, const XStr& options);

    const XTempFile& temp() const { return m_temp; }

private:
    XTempFile m_temp;
};
