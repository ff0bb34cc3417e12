// Which FFmpeg and ffprobe run: an FFmpeg installed into the application data folder when
// there is one, else the one shipped beside the program, else the first on PATH.
#pragma once

#include "XStr.h"

class XOutputFile;

class VALocateFFmpeg {
public:
    // Asked anew before every run, so installing or removing takes effect at once.
    static XStr locateFFmpeg();
    static XStr locateFFprobe();
    static XStr pathToExternalFFmpeg();
    static bool haveExternalFFmpeg();
    static bool isAutoInstalled();
    // The marker whose presence says the external FFmpeg came by download.
    static XStr pathToAutoMarker();

    // Installing (VALocateFFmpegInstall.cpp). A chosen file named exactly "ffmpeg" is copied;
    // a ".tar.gz" or ".tar.bz2" archive is unpacked into a scoped temporary folder and its
    // "ffmpeg" (at the top, else in "bin") copied. The copy is made executable and takes the
    // external file's place in one step, so a failed install changes nothing and an FFmpeg
    // that is running meanwhile keeps running. isAuto: it came by download (the marker is
    // made; otherwise it is removed). False with why.
    static bool installFrom(const XStr& source, bool isAuto, XStr* why = nullptr);
    // Removes the external FFmpeg and the marker: the internal one is used again.
    static void revertToInternal();
    // The file to install, copied to a temporary name beside the external FFmpeg: the
    // source itself, or the FFmpeg of the unpacked archive. Nothing else changes.
    static bool installWorker(const XStr& source, XOutputFile& staged, XStr* why);

    // <prefix>/libexec/vantaro/<name> beside the installed program when present, else the
    // first <name> on PATH as an absolute path (looked up once), else the bare name.
    static XStr internalTool(const char* name);

    // The one answer to "are the GPL encoders and effects offered": with an external FFmpeg
    // installed, or when the FFmpeg in use has libx264.
    static bool gplEncodersOffered();

    // Tests change PATH and the program's folder; this forgets what was looked up.
    static void resetCachesForTesting();
};
