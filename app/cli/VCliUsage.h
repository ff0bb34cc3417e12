// The program's usage texts and the one way a usage error is reported.
#pragma once

#include <ostream>
#include <string>

namespace VCliUsage {

constexpr int kUsageError = 2;

std::string programHelp();
// "vantaro: <message>" and where to find help, on err; answers kUsageError.
int fail(std::ostream& err, const std::string& message, const std::string& command = "");

}  // namespace VCliUsage
