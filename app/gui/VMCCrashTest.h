// How tests end the desktop program the ways a bug would, to see the bug report it leaves:
// VANTARO_TEST_CRASH=segv (a segmentation fault), abort, or exception (one nobody
// catches), once the first window is up. Without the variable nothing happens.
#pragma once

namespace VMCCrashTest {

constexpr const char* kVariable = "VANTARO_TEST_CRASH";

void armFromEnvironment();

}  // namespace VMCCrashTest
