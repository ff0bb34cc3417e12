#include "VAStringTools.h"

#include "VADurationFormat.h"
#include "VANumberFormat.h"
#include "VAUnitPrefs.h"
#include "XCase.h"

namespace {

constexpr const char* kAsSource = "[as source]";

XStr rateHint(uint64_t hz) {
    switch (hz) {
        case 96000:
            return "  (DVD)";
        case 48000:
            return "  (DAT)";
        case 44100:
            return "  (CD)";
        default:
            return XStr();
    }
}

XStr channelName(int count, bool hints) {
    switch (count) {
        case 1:
            return "Mono";
        case 2:
            return hints ? "Stereo  (CD)" : "Stereo";
        case 4:
            return "Quadraphonic";
        case 5:
            return "Surround";
        case 6:
            return hints ? "5.1 surround  (DVD)" : "5.1 surround";
        case 8:
            return "7.1 theater";
        default:
            return XStr::number(count) + " channels";
    }
}

XStr quotedChannelName(int count, bool hints) {
    switch (count) {
        case 1:
            return "  'mono'";
        case 2:
            return hints ? "  'stereo'  (CD)" : "  'stereo'";
        case 4:
            return "  'quadraphonic'";
        case 5:
            return "  'surround'";
        case 6:
            return hints ? "  '5.1 surround'  (DVD)" : "  '5.1 surround'";
        case 8:
            return "  '7.1 theater'";
        default:
            return XStr();
    }
}

bool isPlainArgChar(char32_t c) {
    return XCase::isAlpha(c) || XCase::isDigit(c) || c == U'+' || c == U'-' || c == U'.' ||
           c == U'/' || c == U'_';
}

}  // namespace

XStr VAStringTools::formatDuration(uint64_t ms) {
    return VADurationFormat::format(ms, VAUnitPrefs::timeStyle());
}

XStr VAStringTools::formatDurationLong(uint64_t ms) {
    return VADurationFormat::words(ms);
}

XStr VAStringTools::formatDurationPrecise(uint64_t ms) {
    return VADurationFormat::precise(ms);
}

XStr VAStringTools::formatFileSize(uint64_t bytes) {
    return formatFileSize(bytes, VAUnitPrefs::fileSizeUnits());
}

XStr VAStringTools::formatFileSize(uint64_t bytes, int units) {
    if (units == 3) {
        return VANumberFormat::grouped(bytes) + " bytes";
    }
    uint64_t kb = static_cast<uint64_t>(static_cast<double>(bytes) / 1024.0 + 0.99);
    // Only an empty file shows 0 KB.
    if (kb == 0 && bytes != 0) {
        kb = 1;
    }
    if (units == 2) {
        return VANumberFormat::grouped(kb) + " KB";
    }
    static const struct {
        double size;
        const char* unit;
    } kUnits[] = {{1099511627776.0, " TB"}, {1073741824.0, " GB"}, {1048576.0, " MB"}};
    for (const auto& u : kUnits) {
        const double q = static_cast<double>(bytes) / u.size;
        if (q >= 1.0) {
            return VANumberFormat::decimal(q, 2) + u.unit;
        }
    }
    if (bytes >= 1024) {
        return VANumberFormat::grouped(kb) + " KB";
    }
    return XStr::number(bytes) + (bytes == 1 ? " byte" : " bytes");
}

XStr VAStringTools::formatSampleRate(uint64_t hz) {
    return formatSampleRate(hz, VAUnitPrefs::frequencyUnits(), !VAUnitPrefs::hintsSuppressed());
}

XStr VAStringTools::formatSampleRate(uint64_t hz, int units, bool hints) {
    if (hz == 0) {
        return kAsSource;
    }
    XStr text = units == 0 ? VANumberFormat::decimal(static_cast<double>(hz) / 1000.0, 1) + " kHz"
                           : VANumberFormat::grouped(hz) + " Hz";
    if (hints) {
        text += rateHint(hz);
    }
    return text;
}

XStr VAStringTools::formatChannels(int count) {
    return formatChannels(count, VAUnitPrefs::channelUnits(), !VAUnitPrefs::hintsSuppressed());
}

XStr VAStringTools::formatChannels(int count, int units, bool hints) {
    if (count == 0) {
        return kAsSource;
    }
    if (units == 2) {
        return channelName(count, hints);
    }
    if (units == 1) {
        return XStr::number(count);
    }
    return XStr::number(count) + quotedChannelName(count, hints);
}

XStrList VAStringTools::channelModeLabels() {
    XStrList labels;
    for (int i = 0; i <= 8; ++i) {
        labels.push_back(formatChannels(i));
    }
    return labels;
}

XStrList VAStringTools::channelModeLabelsNo0() {
    XStrList labels = channelModeLabels();
    labels.erase(labels.begin());
    return labels;
}

XStr VAStringTools::formatBitRate(int64_t bps, int channels, uint64_t sampleRate) {
    return formatBitRate(bps, channels, sampleRate, VAUnitPrefs::bitRateUnits(),
                         !VAUnitPrefs::hintsSuppressed());
}

XStr VAStringTools::formatBitRate(int64_t bps, int channels, uint64_t sampleRate, int units,
                                  bool hints) {
    XStr text = units == 2 ? VANumberFormat::grouped(bps) + " bps"
                           : VANumberFormat::grouped(bps / 1000) + " kbps";
    if (channels > 0 && sampleRate != 0 && units == 0 && hints) {
        const int64_t perChannel = bps / channels;
        if (sampleRate == 44100 && channels == 2 && perChannel >= 705000 && perChannel <= 707000) {
            text += "  (CD)";
        } else if (sampleRate == 48000 && channels == 2 && perChannel >= 767000 &&
                   perChannel <= 769000) {
            text += "  (DAT)";
        } else if (perChannel >= 1000000) {
            text += "  (DVD)";
        }
    }
    return text;
}

XStr VAStringTools::escapeCommandLineArg(const XStr& text) {
    bool plain = true;
    for (char32_t c : text) {
        plain = plain && isPlainArgChar(c);
    }
    if (plain) {
        return text;
    }
    return "\"" + text.replaced("\"", "\\\"") + "\"";
}

std::vector<VAStringTools::StyledRun> VAStringTools::importColorsW(const XStr& text) {
    static const XStr kMarker = "_RGB_-RGB-";
    // "rrr-ggg-bbb" after the marker.
    constexpr std::size_t kColourLength = 11;
    std::vector<StyledRun> runs;
    StyledRun current;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t hit = text.find(kMarker, pos);
        if (hit == XStr::npos) {
            current.text += text.substr(pos);
            break;
        }
        const XStr colour = text.substr(hit + kMarker.size(), kColourLength);
        bool wellFormed = colour.size() == kColourLength;
        for (std::size_t i = 0; wellFormed && i < kColourLength; ++i) {
            wellFormed = (i == 3 || i == 7) ? colour[i] == U'-' : XCase::isDigit(colour[i]);
        }
        if (!wellFormed) {
            current.text += text.substr(pos, hit + kMarker.size() - pos);
            pos = hit + kMarker.size();
            continue;
        }
        current.text += text.substr(pos, hit - pos);
        if (!current.text.empty()) {
            runs.push_back(current);
        }
        auto component = [&](std::size_t at) {
            const int v = colour.substr(at, 3).toInt();
            return v > 255 ? 255 : v;
        };
        current = StyledRun{XStr(), component(0), component(4), component(8)};
        pos = hit + kMarker.size() + kColourLength;
    }
    if (!current.text.empty()) {
        runs.push_back(current);
    }
    return runs;
}
