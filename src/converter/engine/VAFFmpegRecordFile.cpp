#include "VAFFmpegRecordFile.h"

#include <utility>

#include "VAFileStatJSON.h"
#include "XFile.h"
#include "XJSON.h"

namespace {

std::optional<std::set<XStr>> namesFrom(const XJSON::AnyType& value) {
    if (value.TypeOf() != XJSON::typeArray) {
        return std::nullopt;
    }
    std::set<XStr> names;
    const XJSON::Array& list = value.AsArray();
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if (list.At(i).TypeOf() != XJSON::typeString || list.At(i).AsString().Value.empty()) {
            return std::nullopt;
        }
        names.insert(list.At(i).AsString().Value);
    }
    return names;
}

bool trialsFrom(const XJSON::AnyType& value, std::map<XStr, bool>& trials) {
    if (value.TypeOf() != XJSON::typeObject) {
        return false;
    }
    const XJSON::Object& o = value.AsObject();
    for (std::size_t i = 0; i < o.Count(); ++i) {
        if (o.ValueAt(i).TypeOf() != XJSON::typeBoolean || o.NameAt(i).empty()) {
            return false;
        }
        trials[o.NameAt(i)] = o.ValueAt(i).AsBoolean().Value;
    }
    return true;
}

std::optional<VAFFmpegRecord> recordFrom(const XJSON::AnyType& value) {
    if (value.TypeOf() != XJSON::typeObject) {
        return std::nullopt;
    }
    const XJSON::Object& o = value.AsObject();
    VAFFmpegRecord r;
    if (o.Find("path").TypeOf() != XJSON::typeString || o.Find("path").AsString().Value.empty() ||
        !VAFileStatJSON::read(o, r.stat) || !trialsFrom(o.Find("trials"), r.trials) ||
        o.Find("trialDevices").TypeOf() != XJSON::typeString) {
        return std::nullopt;
    }
    r.path = o.Find("path").AsString().Value;
    r.trialDevices = o.Find("trialDevices").AsString().Value;
    if (o.Has("encoders")) {
        r.encoders = namesFrom(o.Find("encoders"));
        if (!r.encoders) {
            return std::nullopt;
        }
    }
    return r;
}

// What the file knew about the same version and this process did not learn itself.
void keepWhatDiskKnew(VAFFmpegRecord& ours, const VAFFmpegRecord& disk) {
    if (!ours.encoders) {
        ours.encoders = disk.encoders;
    }
    if (ours.trialDevices.empty()) {
        ours.trialDevices = disk.trialDevices;
        ours.trials = disk.trials;
    } else if (ours.trialDevices == disk.trialDevices) {
        ours.trials.insert(disk.trials.begin(), disk.trials.end());
    }
}

}  // namespace

std::string VAFFmpegRecordFile::render(const std::vector<VAFFmpegRecord>& records) {
    XJSON::Object root;
    root.Add("version", std::make_unique<XJSON::Number>(kVersion));
    XJSON::Array& list = root.AddArray("executables");
    for (const VAFFmpegRecord& r : records) {
        XJSON::Object& o = list.AddObject();
        o.Add("path", std::make_unique<XJSON::String>(r.path));
        VAFileStatJSON::write(o, r.stat);
        if (r.encoders) {
            XJSON::Array& names = o.AddArray("encoders");
            names.Reserve(r.encoders->size());
            for (const XStr& name : *r.encoders) {
                names.Add(std::make_unique<XJSON::String>(name));
            }
        }
        o.Add("trialDevices", std::make_unique<XJSON::String>(r.trialDevices));
        XJSON::Object& trials = o.AddObject("trials");
        for (const auto& [encoder, ok] : r.trials) {
            trials.Add(encoder, std::make_unique<XJSON::Boolean>(ok));
        }
    }
    return root.ToUtf8();
}

std::optional<std::vector<VAFFmpegRecord>> VAFFmpegRecordFile::parse(const XJSON::AnyType* root) {
    if (root == nullptr || root->TypeOf() != XJSON::typeObject) {
        return std::nullopt;
    }
    const XJSON::AnyType& version = root->AsObject().Find("version");
    const XJSON::AnyType& list = root->AsObject().Find("executables");
    if (version.TypeOf() != XJSON::typeNumber || version.AsNumber().Value != kVersion ||
        list.TypeOf() != XJSON::typeArray) {
        return std::nullopt;
    }
    std::vector<VAFFmpegRecord> records;
    for (std::size_t i = 0; i < list.AsArray().Count(); ++i) {
        if (std::optional<VAFFmpegRecord> r = recordFrom(list.AsArray().At(i))) {
            records.push_back(std::move(*r));
        }
    }
    return records;
}

std::vector<VAFFmpegRecord> VAFFmpegRecordFile::read(const XStr& path) {
    const XJSON::Owned root = XJSON::ReadFile(path, kMaxFileBytes);
    return parse(root.get()).value_or(std::vector<VAFFmpegRecord>{});
}

bool VAFFmpegRecordFile::store(const XStr& path, const VAFFmpegRecord& record) {
    std::vector<VAFFmpegRecord> records{record};
    for (const VAFFmpegRecord& r : read(path)) {
        if (r.path != record.path) {
            if (records.size() < kMaxRecords) {
                records.push_back(r);
            }
        } else if (r.describes(record.path, record.stat)) {
            keepWhatDiskKnew(records.front(), r);
        }
    }
    const std::string bytes = render(records);
    return XFile::RewriteCacheFile(path, bytes.data(), bytes.size());
}
