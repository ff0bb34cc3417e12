// The picture types of album-art elements ("_albumart_<number>[_<description>]"), numbered
// as ID3v2 numbers them.
#pragma once

#include "XStr.h"

namespace VAPictureType {

// The name of a type number; empty outside 1-20 and for 17.
XStr nameOf(int type);
// The number of a name; an unknown name gives the front cover (3).
int typeOf(const XStr& name);

}  // namespace VAPictureType
