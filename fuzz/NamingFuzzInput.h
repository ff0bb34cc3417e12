// The naming fuzz targets read their input as a template and the tags of one source: the
// bytes up to the first zero byte are the template (UTF-8, anything goes); each further
// zero-separated record is one element, its first byte choosing the element's name and the
// rest its value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

#include "NTag.h"
#include "XStr.h"

struct NamingFuzzInput {
    XStr templ;
    NTag tags;
};

// The names a naming tag set holds: the source's metadata and media properties, the fields
// the naming object adds, and one name spelled in another case.
inline constexpr const char* kNamingFuzzNames[] = {
    "artist",    "title", "album",       "album artist", "track",     "disc",    "genre",
    "year",      "mood",  "compilation", "Length",       "Channels",  "encoder", "encoder+",
    "k_bitrate", "date",  "origpath",    "origfilename", "origdrive", "subpath", "ARTIST",
};

// True for the elements whose "/" and "\" path mode keeps: the source's own location.
inline bool namingFuzzKeepsSeparators(const XStr& name) {
    return name.equalsNoCase("origpath") || name.equalsNoCase("origfilename") ||
           name.equalsNoCase("origdrive") || name.equalsNoCase("subpath");
}

inline NamingFuzzInput namingFuzzInput(const uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t end = input.find('\0');
    NamingFuzzInput out;
    out.templ = XStr::fromUtf8(input.substr(0, end));
    while (end != std::string_view::npos && end + 1 < input.size()) {
        const std::size_t begin = end + 1;
        end = input.find('\0', begin);
        const std::string_view record =
            input.substr(begin, end == std::string_view::npos ? end : end - begin);
        if (record.empty()) {
            continue;
        }
        const auto pick = static_cast<unsigned char>(record[0]) % std::size(kNamingFuzzNames);
        out.tags.AddElement(kNamingFuzzNames[pick], XStr::fromUtf8(record.substr(1)));
    }
    return out;
}
