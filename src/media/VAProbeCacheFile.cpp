#include "VAProbeCacheFile.h"

#include <errno.h>

#include <algorithm>

#include "VAFileStatJSON.h"
#include "XFile.h"
#include "XJSON.h"

namespace {

using VAFileStatJSON::kMaxExact;

XJSON::Owned tagToJSON(const NTag& tag) {
    auto list = std::make_unique<XJSON::Array>();
    list->Reserve(tag.Count());
    for (const NTag::Element& e : tag.Elements()) {
        // Probe records hold text only; binary values are not kept.
        XJSON::Array& pair = list->AddArray();
        pair.Add(std::make_unique<XJSON::String>(e.name));
        pair.Add(std::make_unique<XJSON::String>(e.value));
    }
    return list;
}

bool tagFromJSON(const XJSON::AnyType& value, NTag& tag) {
    if (value.TypeOf() != XJSON::typeArray) {
        return false;
    }
    const XJSON::Array& list = value.AsArray();
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const XJSON::AnyType& pair = list.At(i);
        if (pair.TypeOf() != XJSON::typeArray || pair.AsArray().Count() != 2 ||
            pair.AsArray().At(0).TypeOf() != XJSON::typeString ||
            pair.AsArray().At(1).TypeOf() != XJSON::typeString) {
            return false;
        }
        tag.AddElement(pair.AsArray().At(0).AsString().Value,
                       pair.AsArray().At(1).AsString().Value);
    }
    return true;
}

std::optional<VAProbeCacheRecord> recordFrom(const XJSON::AnyType& value) {
    if (value.TypeOf() != XJSON::typeObject) {
        return std::nullopt;
    }
    const XJSON::Object& o = value.AsObject();
    VAProbeCacheRecord r;
    int64_t lengthMS = 0;
    if (o.Find("path").TypeOf() != XJSON::typeString || !VAFileStatJSON::read(o, r.stat) ||
        !VAFileStatJSON::wholeNumber(o.Find("lengthMS"), lengthMS) ||
        !tagFromJSON(o.Find("IDTags"), r.idTags) || !tagFromJSON(o.Find("MediaProps"), r.props)) {
        return std::nullopt;
    }
    r.path = o.Find("path").AsString().Value;
    if (r.path.empty()) {
        return std::nullopt;
    }
    r.lengthMS = static_cast<uint64_t>(lengthMS);
    return r;
}

}  // namespace

std::string VAProbeCacheFile::render(const std::vector<VAProbeCacheRecord>& records) {
    XJSON::Object root;
    root.Add("version", std::make_unique<XJSON::Number>(kVersion));
    XJSON::Array& list = root.AddArray("records");
    list.Reserve(records.size());
    for (const VAProbeCacheRecord& r : records) {
        XJSON::Object& o = list.AddObject();
        o.Add("path", std::make_unique<XJSON::String>(r.path));
        VAFileStatJSON::write(o, r.stat);
        const double length =
            static_cast<double>(r.lengthMS) <= kMaxExact ? static_cast<double>(r.lengthMS) : 0;
        o.Add("lengthMS", std::make_unique<XJSON::Number>(length));
        o.Add("IDTags", tagToJSON(r.idTags));
        o.Add("MediaProps", tagToJSON(r.props));
    }
    return root.ToUtf8();
}

std::optional<std::vector<VAProbeCacheRecord>> VAProbeCacheFile::parse(std::string_view utf8) {
    const XJSON::Owned root = XJSON::ParseUtf8(utf8);
    if (!root || root->TypeOf() != XJSON::typeObject) {
        return std::nullopt;
    }
    const XJSON::AnyType& version = root->AsObject().Find("version");
    const XJSON::AnyType& list = root->AsObject().Find("records");
    if (version.TypeOf() != XJSON::typeNumber || version.AsNumber().Value != kVersion ||
        list.TypeOf() != XJSON::typeArray) {
        return std::nullopt;
    }
    std::vector<VAProbeCacheRecord> records;
    records.reserve(list.AsArray().Count());
    for (std::size_t i = 0; i < list.AsArray().Count(); ++i) {
        if (std::optional<VAProbeCacheRecord> r = recordFrom(list.AsArray().At(i))) {
            records.push_back(std::move(*r));
        }
    }
    return records;
}

std::optional<std::vector<VAProbeCacheRecord>> VAProbeCacheFile::read(const XStr& path,
                                                                      bool* replaceable) {
    if (replaceable != nullptr) {
        *replaceable = true;
    }
    XFile file;
    std::string bytes;
    if (!file.Open(path, XFile::Access::kReadOnly,
                   XFile::kOpenExisting | XFile::kNoLock | XFile::kRegularOnly) ||
        !file.ReadAll(bytes, kMaxFileBytes)) {
        if (replaceable != nullptr) {
            // Only a missing file may be replaced: anything else was never seen.
            *replaceable = errno == ENOENT;
        }
        return std::nullopt;
    }
    file.Close();
    return parse(bytes);
}

bool VAProbeCacheFile::write(const XStr& path, const std::vector<VAProbeCacheRecord>& records,
                             int64_t maxBytes) {
    std::string bytes = render(records);
    // A file the next run would refuse to read is worth nothing: the newest records that
    // fit are written instead, dropping an eighth of the oldest at a time.
    std::size_t skip = 0;
    while (static_cast<int64_t>(bytes.size()) > maxBytes && skip < records.size()) {
        skip += std::max<std::size_t>(1, (records.size() - skip) / 8);
        skip = std::min(skip, records.size());
        bytes = render(std::vector<VAProbeCacheRecord>(records.begin() + static_cast<long>(skip),
                                                       records.end()));
    }
    return XFile::RewriteFile(path, bytes.data(), bytes.size());
}
