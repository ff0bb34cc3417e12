#include "VAMediaFormatFilter.h"

#include "VAResources.h"
#include "XPath.h"
#include "XRegistry.h"

namespace {

XStrList lines(std::string_view text) {
    XStrList out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (end == text.size() && line.empty()) {
            break;
        }
        out.push_back(XStr(line).trimmed());
        start = end + 1;
    }
    return out;
}

}  // namespace

std::unique_ptr<VAMediaFormatFilter> VAMediaFormatFilter::init() {
    return init(XRegistry::GetDWORD(kShowAudioOnly) != 0);
}

std::unique_ptr<VAMediaFormatFilter> VAMediaFormatFilter::init(bool withAudio) {
    std::vector<std::string> texts;
    if (std::optional<std::string> video = VAResources::read(kVideoList)) {
        texts.push_back(std::move(*video));
    }
    if (withAudio) {
        if (std::optional<std::string> audio = VAResources::read(kAudioList)) {
            texts.push_back(std::move(*audio));
        }
    }
    return fromLists(texts);
}

std::shared_ptr<const VAMediaFormatFilter> VAMediaFormatFilter::allFormats() {
    static const std::shared_ptr<const VAMediaFormatFilter> kFormats = [] {
        std::shared_ptr<VAMediaFormatFilter> formats = init(true);
        return formats ? std::shared_ptr<const VAMediaFormatFilter>(std::move(formats))
                       : std::shared_ptr<const VAMediaFormatFilter>(fromLists({}));
    }();
    return kFormats;
}

std::unique_ptr<VAMediaFormatFilter> VAMediaFormatFilter::fromLists(
    const std::vector<std::string>& texts) {
    auto filter = std::make_unique<VAMediaFormatFilter>();
    for (const std::string& text : texts) {
        filter->read(text);
    }
    if (filter->mExtensions.size() != filter->mDescriptions.size()) {
        return nullptr;
    }
    filter->index();
    return filter;
}

void VAMediaFormatFilter::read(std::string_view text) {
    const XStrList all = lines(text);
    for (std::size_t i = 0; i + 1 < all.size(); i += 2) {
        const XStr& description = all[i];
        const XStr& extensions = all[i + 1];
        if (description.empty() || extensions.empty()) {
            continue;
        }
        for (const XStr& ext : extensions.split(U';')) {
            const XStr trimmed = ext.trimmed();
            if (trimmed.empty()) {
                continue;
            }
            mExtensions.push_back(trimmed);
            mDescriptions.push_back(description);
        }
    }
}

void VAMediaFormatFilter::index() {
    mFormats.clear();
    mByExtension.clear();
    for (std::size_t i = 0; i < mExtensions.size(); ++i) {
        mFormats.push_back({mExtensions[i], mDescriptions[i], true});
        XStr key = mExtensions[i].lowerASCII();
        if (!key.startsWith(".")) {
            key = "." + key;
        }
        mByExtension.emplace(key, i);
    }
}

void VAMediaFormatFilter::toggleAll(bool enabled) {
    for (VAMediaFormatFilterEntry& entry : mFormats) {
        entry.enabled = enabled;
    }
}

std::optional<XStr> VAMediaFormatFilter::fileTypeOf(const XStr& path) const {
    const XStr ext = XPath::extension(path);
    if (ext.empty()) {
        return std::nullopt;
    }
    const auto it = mByExtension.find(ext.lowerASCII());
    if (it == mByExtension.end() || !mFormats[it->second].enabled) {
        return std::nullopt;
    }
    return mFormats[it->second].name;
}
