// Random identifiers for names that must not collide across processes and runs.
#pragma once

#include "XStr.h"

// 16 random bytes as 32 lowercase hexadecimal digits; empty when the system has no
// randomness to give.
XStr XRandomIdentifier();
