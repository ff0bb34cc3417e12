// The table of commands is the one the program runs by: every command it lists is
// dispatched, reads its arguments with the very table listed for it, and the program's
// help lists every command and program option.
#include "VCliCommands.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "VCliOptionParser.h"
#include "VCliProgram.h"
#include "VCliUsage.h"
#include "VCliVersion.h"

namespace {

struct Ran {
    int status;
    std::string out;
    std::string err;
};

Ran run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = VCliProgram::run(args, out, err, false);
    return {status, out.str(), err.str()};
}

}  // namespace

TEST(VCliCommands, EachCommandReadsItsArgumentsWithTheTableListedForIt) {
    std::set<std::string> names;
    for (const VCliCommand& command : VCliCommands::all()) {
        EXPECT_TRUE(names.insert(command.name).second) << command.name;
        ASSERT_NE(command.options, nullptr) << command.name;
        const std::vector<VCliOptionDef>& table = command.options();

        const Ran help = run({command.name, "--help"});
        EXPECT_EQ(help.status, 0) << command.name << ": " << help.err;
        EXPECT_NE(help.out.find("Options:\n" + VCliOptionParser(table).optionsHelp()),
                  std::string::npos)
            << command.name << ":\n"
            << help.out;
        // Every option of the table is accepted; "--help" keeps the command from running.
        for (const VCliOptionDef& def : table) {
            std::vector<std::string> args = {command.name, "--" + def.longName};
            if (def.takesValue) {
                args.push_back("1");
            }
            args.push_back("--help");
            const Ran r = run(args);
            EXPECT_EQ(r.status, 0) << command.name << " --" << def.longName << ": " << r.err;
        }
        const Ran unknown = run({command.name, "--not-an-option", "--help"});
        EXPECT_EQ(unknown.status, VCliUsage::kUsageError) << command.name;
    }
}

TEST(VCliCommands, ProgramHelpListsEveryCommandAndProgramOption) {
    const Ran help = run({"--help"});
    ASSERT_EQ(help.status, 0);
    for (const VCliCommand& command : VCliCommands::all()) {
        const std::string shown =
            command.operands.empty() ? command.name : command.name + " " + command.operands;
        EXPECT_NE(help.out.find("\n  " + shown + "   "), std::string::npos) << help.out;
        EXPECT_NE(help.out.find(command.summary + "\n"), std::string::npos) << command.name;
    }
    EXPECT_NE(help.out.find(VCliOptionParser(VCliCommands::programOptions()).optionsHelp()),
              std::string::npos)
        << help.out;
    const Ran version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "vantaro " + std::string(VCliVersion::text()) + "\n");
    EXPECT_EQ(run({"-h"}).out, help.out);
}
