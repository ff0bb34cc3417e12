#include "VCliOptionParser.h"

#include <algorithm>

#include "VCliText.h"

VCliOptionParser::VCliOptionParser(std::vector<VCliOptionDef> table) : mTable(std::move(table)) {}

const VCliOptionDef* VCliOptionParser::findLong(const std::string& name) const {
    for (const VCliOptionDef& def : mTable) {
        if (def.longName == name) {
            return &def;
        }
    }
    return nullptr;
}

const VCliOptionDef* VCliOptionParser::findShort(char name) const {
    for (const VCliOptionDef& def : mTable) {
        if (def.shortName != 0 && def.shortName == name) {
            return &def;
        }
    }
    return nullptr;
}

bool VCliOptionParser::take(const VCliOptionDef& def, const std::string& shownName,
                            std::string value, VCliParsedOptions& out, std::string& error) const {
    if (def.takesValue && !def.repeatable && out.has(def.longName)) {
        // Two different values for one setting is a mistake, not a preference for the last.
        error = "The option " + VCliText::quoted(shownName) + " is given more than once";
        return false;
    }
    if (!def.takesValue && out.has(def.longName)) {
        return true;
    }
    out.add(def.longName, std::move(value));
    return true;
}

bool VCliOptionParser::parse(const std::vector<std::string>& args, VCliParsedOptions& out,
                             std::string& error) const {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            out.operands.insert(out.operands.end(), args.begin() + static_cast<long>(i) + 1,
                                args.end());
            return true;
        }
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            const std::size_t equals = arg.find('=');
            const std::string name =
                arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const std::string shown = "--" + name;
            const VCliOptionDef* def = findLong(name);
            if (def == nullptr) {
                error = "Unknown option " + VCliText::quoted(shown);
                return false;
            }
            std::string value;
            if (equals != std::string::npos) {
                if (!def->takesValue && !def->optionalValue) {
                    error = "The option " + VCliText::quoted(shown) + " takes no value";
                    return false;
                }
                value = arg.substr(equals + 1);
            } else if (def->takesValue) {
                if (i + 1 >= args.size()) {
                    error = "The option " + VCliText::quoted(shown) + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            if (!take(*def, shown, std::move(value), out, error)) {
                return false;
            }
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            for (std::size_t c = 1; c < arg.size(); ++c) {
                const std::string shown = std::string("-") + arg[c];
                const VCliOptionDef* def = findShort(arg[c]);
                if (def == nullptr) {
                    error = "Unknown option " + VCliText::quoted(shown);
                    return false;
                }
                std::string value;
                if (def->takesValue) {
                    if (c + 1 < arg.size()) {
                        value = arg.substr(c + 1);
                    } else if (i + 1 < args.size()) {
                        value = args[++i];
                    } else {
                        error = "The option " + VCliText::quoted(shown) + " needs a value";
                        return false;
                    }
                    c = arg.size();
                }
                if (!take(*def, shown, std::move(value), out, error)) {
                    return false;
                }
            }
            continue;
        }
        out.operands.push_back(arg);
    }
    return true;
}

std::string VCliOptionParser::optionsHelp() const {
    std::vector<std::string> names;
    std::size_t width = 0;
    for (const VCliOptionDef& def : mTable) {
        std::string name = def.shortName != 0 ? std::string("-") + def.shortName + ", " : "    ";
        name += "--" + def.longName;
        if (def.takesValue) {
            name += " " + def.valueName;
        } else if (def.optionalValue) {
            name += "[=" + def.valueName + "]";
        }
        width = std::max(width, name.size());
        names.push_back(std::move(name));
    }
    std::string text;
    for (std::size_t i = 0; i < mTable.size(); ++i) {
        // A help text of several lines keeps its lines in the help column.
        std::string help = mTable[i].help;
        const std::string indent = "\n" + std::string(width + 4, ' ');
        for (std::size_t at = help.find('\n'); at != std::string::npos;
             at = help.find('\n', at + indent.size())) {
            help.replace(at, 1, indent);
        }
        text += "  " + names[i] + std::string(width - names[i].size() + 2, ' ') + help;
        if (mTable[i].repeatable) {
            text += " (may be repeated)";
        }
        text += "\n";
    }
    return text;
}
