// Data files the program reads ("Scale Data", "decoders.bin", logos, ...): installed to
// <prefix>/share/vantaro, found in the source tree when running uncompiled.
#pragma once

#include <optional>
#include <string>

#include "XStr.h"

namespace VAResources {

// The folder of the running program; empty when the system does not say.
std::string programFolder();
// The path of a resource, or empty when it is nowhere.
XStr path(const XStr& name);
// The whole content, or nothing when the resource is missing or unreadable.
std::optional<std::string> read(const XStr& name);
// The text's lines without line ends; empty lines and lines beginning with "#" left out.
XStrList readLines(const XStr& name);

}  // namespace VAResources
