// The program's usage texts and the one way an error is reported: "vantaro: " and a
// capitalised sentence that names its subject in single quotes, a list one item a line.
#pragma once

#include <ostream>
#include <string>

namespace VCliUsage {

constexpr int kUsageError = 2;

std::string programHelp();
// "vantaro: <message>" on err, each line of it shown escaped.
void error(std::ostream& err, const std::string& message);
// The error and where to find help; answers kUsageError.
int fail(std::ostream& err, const std::string& message, const std::string& command = "");

}  // namespace VCliUsage
