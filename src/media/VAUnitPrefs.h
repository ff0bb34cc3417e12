// The unit preferences, read from the settings store on every use so that a change in the
// options shows at once. Each is 0 when absent.
#pragma once

#include "XStr.h"

namespace VAUnitPrefs {

inline const char* const kRoot = "HKCU";
inline const char* const kKey = "Software\\Quillmere\\VantaroVideo\\Ref";

inline const char* const kUnitsTime = "UnitsTime";
inline const char* const kUnitsFileSize = "UnitsFileSize";
inline const char* const kUnitsFreq = "UnitsFreq";
inline const char* const kUnitsChannels = "UnitsChannels";
inline const char* const kUnitsBitRate = "UnitsBitRate";
inline const char* const kNoHints = "vMCNoCDDvdDatHelper";

int value(const XStr& name);

// Duration style 0-3; anything else counts as 0.
int timeStyle();
int fileSizeUnits();
int frequencyUnits();
int channelUnits();
int bitRateUnits();
// True when the "  (CD)", "  (DVD)", "  (DAT)" hints are suppressed.
bool hintsSuppressed();

}  // namespace VAUnitPrefs
