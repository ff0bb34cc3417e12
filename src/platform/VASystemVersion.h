// The versions a bug report names: this program's, compiled in, and the operating
// system's, as the distribution calls itself followed by the kernel's release.
#pragma once

#include <string_view>

#include "XStr.h"

namespace VASystemVersion {

// The version the program says it is (setAppVersion), else the project's, compiled in.
XStr appVersion();
void setAppVersion(const XStr& version);
// "Debian GNU/Linux 12 (bookworm) 6.1.0-18-amd64"; "Linux" when the distribution does not
// say its name.
XStr osVersion();
// The same from the text of an os-release file and a kernel release.
XStr osVersionFrom(std::string_view osRelease, std::string_view kernelRelease);

}  // namespace VASystemVersion
