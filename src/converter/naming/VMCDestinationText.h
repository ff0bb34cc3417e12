// Where a naming puts its outputs, as people read it: the folder in its shown form
// ("Videos/Converted", "~/clips") followed by the template, its elements by their names
// ("Videos/Converted/Source Filename").
#pragma once

#include "VMCFileNaming.h"
#include "XStr.h"

namespace VMCDestinationText {

// Safe to show: control characters and bytes that are not UTF-8 escaped.
XStr describe(const VMCFileNaming& naming);

}  // namespace VMCDestinationText
