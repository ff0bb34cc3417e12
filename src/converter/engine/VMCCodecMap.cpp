#include "VMCCodecMap.h"

#include "VAFFmpegCapabilities.h"
#include "VAOptionList.h"
#include "XWorkerProcess.h"

namespace {

bool isCodecOption(const XStr& name) {
    const XStr n = name.lowerASCII();
    return n == "c" || n == "codec" || n == "vcodec" || n == "acodec" || n.startsWith("c:") ||
           n.startsWith("codec:");
}

bool isVaapi(const XStr& encoder) {
    return encoder.endsWith("_vaapi");
}

bool isVideoToolbox(const XStr& encoder) {
    return encoder.endsWith("_videotoolbox");
}

// The hardware encoders tried in order, then the software one that always works.
XStr hardwareOrSoftware(const char* family, const char* software, const std::set<XStr>& listed,
                        const VMCCodecMap::Trial& trial) {
    for (const char* backend : {"_nvenc", "_qsv", "_vaapi"}) {
        const XStr candidate = XStr(family) + backend;
        if (listed.count(candidate) != 0 && trial && trial(candidate)) {
            return candidate;
        }
    }
    return XStr(software);
}

}  // namespace

XStr VMCCodecMap::targetFor(const XStr& encoder, const std::set<XStr>& listed, const Trial& trial) {
    if (listed.count(encoder) != 0) {
        return encoder;
    }
    if (encoder == "aac_at") {
        return "aac";
    }
    if (encoder == "h264_videotoolbox") {
        return hardwareOrSoftware("h264", "libx264", listed, trial);
    }
    if (encoder == "hevc_videotoolbox") {
        return hardwareOrSoftware("hevc", "libx265", listed, trial);
    }
    if (encoder == "amr_nb") {
        // AAC is valid in 3GP, which is where AMR is asked for.
        return listed.count("libopencore_amrnb") != 0 ? XStr("libopencore_amrnb") : XStr("aac");
    }
    return encoder;
}

XStr VMCCodecMap::rewrite(const XStr& args, const std::set<XStr>& listed, const Trial& trial,
                          XStrList& infoLines) {
    VAOptionList list = VAOptionList::ParseOptions(args);
    VAOptionList out;
    bool changed = false;
    bool keepAllowSw = false;
    bool vaapi = false;
    for (const VAElemValue& pair : list) {
        if (!isCodecOption(pair.element) || pair.value.empty()) {
            out.append(pair.element, pair.value);
            continue;
        }
        const XStr target = targetFor(pair.value, listed, trial);
        if (target != pair.value) {
            infoLines.push_back(XStr::format("This FFmpeg has no encoder \"%s\"; using \"%s\"",
                                             pair.value.utf8().c_str(), target.utf8().c_str()));
            changed = true;
        }
        keepAllowSw = keepAllowSw || isVideoToolbox(target);
        vaapi = vaapi || isVaapi(target);
        out.append(pair.element, target);
    }
    // allow_sw is an option of the platform encoders only; other encoders reject it.
    if (!keepAllowSw && out.removeAll("allow_sw") > 0) {
        changed = true;
    }
    if (!changed) {
        return args;
    }
    if (vaapi) {
        // VAAPI encodes frames in GPU memory: open the device and upload after the filters.
        VAOptionList withDevice;
        withDevice.append("vaapi_device", kVaapiDevice);
        bool hadFilter = false;
        for (const VAElemValue& pair : out) {
            if (pair.element.equalsNoCase("vf")) {
                withDevice.append(pair.element, pair.value + ",format=nv12,hwupload");
                hadFilter = true;
            } else {
                withDevice.append(pair.element, pair.value);
            }
        }
        if (!hadFilter) {
            withDevice.append("vf", "format=nv12,hwupload");
        }
        out = withDevice;
    }
    return VAOptionList::WriteOptions(out);
}

bool VMCCodecMap::trialEncode(const XStr& ffmpegPath, const XStr& encoder) {
    return VAFFmpegCapabilities::trialVerdict(ffmpegPath, encoder, [&] {
        XWorkerProcess::ArgList args = {ffmpegPath, "-hide_banner", "-loglevel", "error"};
        if (isVaapi(encoder)) {
            args.insert(args.end(), {"-vaapi_device", kVaapiDevice});
        }
        args.insert(args.end(),
                    {"-f", "lavfi", "-i", "color=c=black:s=256x144:d=0.1", "-frames:v", "1"});
        if (isVaapi(encoder)) {
            args.insert(args.end(), {"-vf", "format=nv12,hwupload"});
        }
        args.insert(args.end(), {"-c:v", encoder, "-f", "null", "-"});
        XWorkerProcess process;
        // A stuck driver must not hold up the conversion for long.
        return process.Create(args, 0) && process.Stop(10000) == 0;
    });
}

XStr VMCCodecMap::apply(const XStr& ffmpegPath, const XStr& args, XStrList& infoLines) {
    const std::set<XStr> listed = VAFFmpegCapabilities::encoders(ffmpegPath);
    if (listed.empty()) {
        // An FFmpeg that cannot even list its encoders will say so itself when it runs.
        return args;
    }
    return rewrite(
        args, listed,
        [&ffmpegPath](const XStr& encoder) { return trialEncode(ffmpegPath, encoder); }, infoLines);
}
