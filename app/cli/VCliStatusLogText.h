// The per-job logs of a conversion as text, in the status log's copy format.
#pragma once

#include <cstdint>
#include <map>

#include "VMCStatusLogEntry.h"
#include "XStr.h"

namespace VCliStatusLogText {

// Each entry's header, then its lines indented by three blanks; empty for an empty log.
// Control characters in names and lines are shown escaped.
XStr copyText(const std::map<uint32_t, VMCStatusLogEntry>& log, bool errors);

}  // namespace VCliStatusLogText
