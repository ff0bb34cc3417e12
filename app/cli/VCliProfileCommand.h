// "vantaro profiles" and "vantaro profile show|create|delete|use|set": the profiles the
// converter remembers, the same the desktop application shows, in the same settings store.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "VCliOptionDef.h"
#include "VMCConfig.h"
#include "XStr.h"

namespace VCliProfileCommand {

int profiles(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int profile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

const std::vector<VCliOptionDef>& profilesOptions();
// Every option of the subcommands of "profile".
const std::vector<VCliOptionDef>& profileOptions();

// The profile a typed name means: the exact name, else the one name equal but for ASCII
// case, else the one user profile whose user's part is that. Null with a message that
// lists the profiles.
VMCConfig::ProfilePtr findProfile(const VMCConfig& config, const XStr& typed, std::string& error);
// Where a naming puts the outputs, in a few words.
XStr describeNaming(const VMCFileNaming& naming);

}  // namespace VCliProfileCommand
