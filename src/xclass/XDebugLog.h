// Whether the converter writes its debug log: VANTARO_DEBUG in the environment at the first
// question, then whatever the preferences switch it to. Job threads ask while the user may
// switch it, so it is a flag of its own: changing the environment under threads that read
// it (and under a child being started) is a race.
#pragma once

namespace XDebugLog {

bool enabled();
void setEnabled(bool on);

}  // namespace XDebugLog
