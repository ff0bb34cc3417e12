// "vantaro encoders", "encoder NAME", "effects" and "effect NAME": the catalogue and the
// settings pages in plain text, so a user can find the names and control identifiers that
// "convert --encoder", "--effect" and "--set" take.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "VCliOptionDef.h"
#include "XStr.h"

namespace VCliCatalogueCommands {

int encoders(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int encoder(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int effects(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int effect(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The options of "encoders" and "effects", and of "encoder NAME" and "effect NAME".
const std::vector<VCliOptionDef>& listingOptions();
const std::vector<VCliOptionDef>& pageOptions();

// Tab-separated lines as columns padded to the widest cell of each (the last cell of a
// line is never padded).
XStrList alignColumns(const XStrList& lines);

}  // namespace VCliCatalogueCommands
