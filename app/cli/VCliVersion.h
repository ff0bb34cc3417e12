// The program's version, as "git describe" gave it when the program was built (the
// project's version when the source was not a git checkout).
#pragma once

namespace VCliVersion {

const char* text();

}  // namespace VCliVersion
