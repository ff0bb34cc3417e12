// Option texts come from stored settings and user-typed arguments: splitting, parsing and
// writing back must never crash, and a written list must read back as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "VACommandText.h"
#include "VAElemValueList.h"
#include "VAOptionList.h"
#include "XStr.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool anyValueBeginsWithMinus(const VAOptionList& list) {
    for (const VAElemValue& pair : list) {
        if (!pair.value.empty() && pair.value.front() == U'-') {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const XStr text = XStr::fromUtf8(reinterpret_cast<const char*>(data), size);

    require(VACommandText::Split(VACommandText::Quote(text)) == XStrList{text});

    const VAOptionList parsed = VAOptionList::ParseOptions(text);
    const XStr written = VAOptionList::WriteOptions(parsed);
    const VAElemValueList list(text);
    require(VAOptionList::ParseOptions(list.mergeToString()) == parsed);
    // The writers for FFmpeg put values apart from their names, as FFmpeg wants them, so a
    // value beginning with "-" cannot be told from the next option there.
    if (!anyValueBeginsWithMinus(parsed)) {
        require(VAOptionList::ParseOptions(written) == parsed);
        require(VAOptionList::ParseOptions(list.mergeToString_alternate()) == parsed);
    }

    // Extracting and merging must leave the other options intact and be idempotent;
    // that holds where writing round-trips, that is without values beginning with "-".
    if (!anyValueBeginsWithMinus(parsed)) {
        XStr rest = text;
        VAOptionList::ExtractOption("fextension", rest);
        require(VAOptionList::ParseOptions(rest).size() <= parsed.size());
        const XStr merged = VAOptionList::MergeOption("vf", rest);
        require(VAOptionList::MergeOption("vf", merged) == merged);
    }
    return 0;
}
