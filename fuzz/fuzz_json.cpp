// JSON comes from ffprobe, settings files and profiles: parsing must never crash whatever
// the bytes, reading bytes must agree with reading decoded text, and whatever is written
// back must read as the same tree (numbers within the written precision) and be
// well-formed UTF-8, while text keeps every byte it was decoded from.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "JSON.h"
#include "XJSON.h"
#include "XStr.h"
#include "XUtf8.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool closeEnough(double written, double read) {
    if (!std::isfinite(written)) {
        return false;
    }
    // Seven decimals are written; large magnitudes also lose digits to summing.
    return std::fabs(written - read) <= 1e-7 + 1e-12 * std::fabs(written);
}

// The tree read back from the written text: same shape, numbers close, and a number JSON
// cannot hold comes back as null.
bool sameAfterWriting(const XJSON::AnyType& original, const XJSON::AnyType& back) {
    if (original.TypeOf() == XJSON::typeNumber && !std::isfinite(original.AsNumber().Value)) {
        return back.TypeOf() == XJSON::typeNull;
    }
    if (original.TypeOf() != back.TypeOf()) {
        return false;
    }
    switch (original.TypeOf()) {
        case XJSON::typeObject: {
            const XJSON::Object& a = original.AsObject();
            const XJSON::Object& b = back.AsObject();
            if (a.Count() != b.Count()) {
                return false;
            }
            for (std::size_t i = 0; i < a.Count(); ++i) {
                if (a.NameAt(i) != b.NameAt(i) || !sameAfterWriting(a.ValueAt(i), b.ValueAt(i))) {
                    return false;
                }
            }
            return true;
        }
        case XJSON::typeArray: {
            const XJSON::Array& a = original.AsArray();
            const XJSON::Array& b = back.AsArray();
            if (a.Count() != b.Count()) {
                return false;
            }
            for (std::size_t i = 0; i < a.Count(); ++i) {
                if (!sameAfterWriting(a.At(i), b.At(i))) {
                    return false;
                }
            }
            return true;
        }
        case XJSON::typeNumber:
            return closeEnough(original.AsNumber().Value, back.AsNumber().Value);
        default:
            return original.Equals(back);
    }
}

// Decoding what was written escapes nothing: no byte of it is ill-formed.
bool wellFormed(const std::string& utf8) {
    for (const char32_t unit : XUtf8::decode(utf8)) {
        if (XUtf8::isEscapedByte(unit)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const XStr text = XStr::fromUtf8(bytes);
    require(text.utf8() == bytes);
    require(wellFormed(text.displayUtf8()));
    const XJSON::Owned fromBytes = XJSON::ParseUtf8(bytes);
    const XJSON::Owned fromText = XJSON::Parse(text);
    require((fromBytes == nullptr) == (fromText == nullptr));
    if (!fromBytes) {
        return 0;
    }
    require(fromBytes->Equals(*fromText));

    const XJSON::Owned wide = XJSON::Parse(fromBytes->ToText());
    require(wide != nullptr && sameAfterWriting(*fromBytes, *wide));
    const std::string written = fromBytes->ToUtf8();
    require(wellFormed(written));
    const XJSON::Owned utf8 = XJSON::ParseUtf8(written);
    require(utf8 != nullptr && sameAfterWriting(*fromBytes, *utf8));
    require(fromBytes->Clone()->Equals(*fromBytes));

    const auto value = JSON::fromXJSON(fromBytes.get());
    require(value.has_value());
    require(JSON::toXJSON(&*value) != nullptr);
    return 0;
}
