// Reads a command's arguments against its option table: "--name value", "--name=value",
// "-n value", "-nvalue", clusters of one-letter flags ("-hv"), and "--" before operands
// that begin with "-". Options and operands may be mixed. A value is the next argument
// whatever it begins with, so "--encoder-args -c:v libx264" works. Long names are never
// abbreviated: a prefix that is unique today would stop being so when options are added.
#pragma once

#include <string>
#include <vector>

#include "VCliOptionDef.h"
#include "VCliParsedOptions.h"

class VCliOptionParser {
public:
    explicit VCliOptionParser(std::vector<VCliOptionDef> table);

    // False with a message naming the offending option when the arguments are not usable.
    bool parse(const std::vector<std::string>& args, VCliParsedOptions& out,
               std::string& error) const;
    // One line per option, names left, help aligned right of them.
    std::string optionsHelp() const;

private:
    const VCliOptionDef* findLong(const std::string& name) const;
    const VCliOptionDef* findShort(char name) const;
    bool take(const VCliOptionDef& def, const std::string& shownName, std::string value,
              VCliParsedOptions& out, std::string& error) const;

    std::vector<VCliOptionDef> mTable;
};
