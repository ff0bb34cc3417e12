#include "VAUnitPrefs.h"

#include "XRegistry.h"

int VAUnitPrefs::value(const XStr& name) {
    return XRegistry::GetInt(name, XStr(kRoot), XStr(kKey));
}

int VAUnitPrefs::timeStyle() {
    const int style = value(kUnitsTime);
    return style >= 0 && style <= 3 ? style : 0;
}

int VAUnitPrefs::fileSizeUnits() {
    return value(kUnitsFileSize);
}

int VAUnitPrefs::frequencyUnits() {
    return value(kUnitsFreq);
}

int VAUnitPrefs::channelUnits() {
    return value(kUnitsChannels);
}

int VAUnitPrefs::bitRateUnits() {
    return value(kUnitsBitRate);
}

bool VAUnitPrefs::hintsSuppressed() {
    return value(kNoHints) != 0;
}
