#include "VCliSettingsCommand.h"

#include <cstdlib>

#include "VADisplayText.h"
#include "VCliOptionParser.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "VMCConfig.h"
#include "XRegistry.h"

namespace {

const char* const kUsage =
    "Usage: vantaro settings list [KEY]\n"
    "       vantaro settings get NAME\n"
    "       vantaro settings set NAME VALUE [--string]\n"
    "       vantaro settings delete NAME\n";

// Integers beyond this are not held exactly by the store's numbers.
constexpr int64_t kMaxExact = int64_t{1} << 53;

struct Where {
    XRegistryName root;
    XRegistryName path;
    XStr name;
};

// "vMCCodec\AVI\vMC_CLI": the key below the application's and the value's name.
Where whereOf(const XStr& typed) {
    Where w;
    w.root = XStr(VMCFileNaming::kRoot);
    const std::size_t slash = typed.rfind(U'\\');
    const XStr app(VMCConfig::kAppKey);
    w.path = slash == XStr::npos ? app : app + "\\" + typed.left(slash);
    w.name = slash == XStr::npos ? typed : typed.substr(slash + 1);
    return w;
}

// The value as "get" prints it, and whether it is text.
bool readValue(const Where& w, XStr& text, bool& isText) {
    bool missing = false;
    text = XRegistry::GetString(w.name, w.root, w.path, &missing);
    if (!missing) {
        isText = true;
        return true;
    }
    const int64_t number = XRegistry::GetInt64(w.name, w.root, w.path, &missing);
    if (!missing) {
        isText = false;
        text = XStr::number(number);
        return true;
    }
    XStrList list;
    if (XRegistry::GetStringList(w.name, list, w.root, w.path)) {
        isText = false;
        XStrList quoted;
        for (const XStr& item : list) {
            quoted.push_back(XStr(VCliText::quoted(item)));
        }
        text = "[" + XStr::join(quoted, ", ") + "]";
        return true;
    }
    return false;
}

int list(const XStr& key, std::ostream& out, std::ostream& err) {
    const Where w = whereOf(key.empty() ? XStr() : key + "\\x");
    XStrList keys;
    XStrList values;
    if (!XRegistry::EnumKeys(w.root, w.path, keys)) {
        if (key.empty()) {
            return 0;
        }
        VCliUsage::error(err, "No key " + VCliText::quoted(key));
        return 1;
    }
    XRegistry::EnumValues(w.root, w.path, values);
    for (const XStr& name : keys) {
        out << VADisplayText::utf8(name) << "\\\n";
    }
    for (const XStr& name : values) {
        XStr text;
        bool isText = false;
        if (!readValue(Where{w.root, w.path, name}, text, isText)) {
            out << VADisplayText::utf8(name) << " (a value of another kind)\n";
            continue;
        }
        out << VADisplayText::utf8(name) << " = "
            << (isText ? VCliText::quoted(text) : VADisplayText::utf8(text)) << '\n';
    }
    return 0;
}

}  // namespace

bool VCliSettingsCommand::isInteger(const XStr& value) {
    const std::size_t start = !value.empty() && value.front() == U'-' ? 1 : 0;
    if (value.size() == start || value.size() - start > 16) {
        return false;
    }
    for (std::size_t i = start; i < value.size(); ++i) {
        if (value[i] < U'0' || value[i] > U'9') {
            return false;
        }
    }
    const int64_t n = value.toInt64();
    return n <= kMaxExact && n >= -kMaxExact;
}

const std::vector<VCliOptionDef>& VCliSettingsCommand::options() {
    static const std::vector<VCliOptionDef> kTable = {
        {"string", 0, false, false, "", "store VALUE as text even when it is a number (set)"},
        {"help", 'h', false, false, "", "show this help"},
    };
    return kTable;
}

int VCliSettingsCommand::run(const std::vector<std::string>& args, std::ostream& out,
                             std::ostream& err) {
    VCliParsedOptions options;
    std::string error;
    const VCliOptionParser parser(VCliSettingsCommand::options());
    if (!parser.parse(args, options, error)) {
        return VCliUsage::fail(err, error, "settings");
    }
    if (options.has("help")) {
        out << kUsage
            << "\n"
               "Reads and writes values of the settings store that have no command of their own,\n"
               "such as \"vMCAllowProfiles\" (1: user profiles on), \"vMCFileNameChrReplace\"\n"
               "(the characters replaced in output names, in pairs) or \"UnitsTime\". NAME and\n"
               "KEY are paths below the application's key, with '\\' between the parts\n"
               "('vMCCodec\\AVI\\vMC_CLI'). 'set' stores a number when VALUE is an integer, text\n"
               "otherwise.\n\n"
               "Options:\n"
            << parser.optionsHelp();
        return 0;
    }
    const std::vector<std::string>& ops = options.operands;
    const std::string sub = ops.empty() ? std::string() : ops.front();
    std::size_t wanted = 0;
    if (sub == "list") {
        wanted = ops.size() <= 2 ? ops.size() : 2;
    } else if (sub == "get" || sub == "delete") {
        wanted = 2;
    } else if (sub == "set") {
        wanted = 3;
    } else {
        return VCliUsage::fail(err,
                               sub.empty() ? "No subcommand given (list, get, set, delete)"
                                           : "Unknown subcommand " + VCliText::quoted(sub) +
                                                 " (use list, get, set or delete)",
                               "settings");
    }
    if (ops.size() != wanted) {
        return VCliUsage::fail(err,
                               "The subcommand " + VCliText::quoted(sub) +
                                   (sub == "set" ? " takes a name and a value" : " takes one name"),
                               "settings");
    }
    if (options.has("string") && sub != "set") {
        return VCliUsage::fail(err, "The option '--string' applies to 'set' only", "settings");
    }
    if (sub == "list") {
        return list(ops.size() == 2 ? XStr(ops[1]) : XStr(), out, err);
    }
    const XStr typed(ops[1]);
    const Where w = whereOf(typed);
    if (w.name.empty()) {
        return VCliUsage::fail(err, "The name " + VCliText::quoted(typed) + " names no value",
                               "settings");
    }
    if (sub == "set") {
        const XStr value(ops[2]);
        if (!options.has("string") && isInteger(value)) {
            XRegistry::SetInt64(w.name, value.toInt64(), w.root, w.path);
        } else {
            XRegistry::SetString(w.name, value, w.root, w.path);
        }
        return 0;
    }
    if (!XRegistry::ValueExists(w.name, w.root, w.path)) {
        VCliUsage::error(err, "No setting " + VCliText::quoted(typed));
        return 1;
    }
    if (sub == "delete") {
        XRegistry::DeleteValue(w.name, w.root, w.path);
        return 0;
    }
    XStr text;
    bool isText = false;
    if (!readValue(w, text, isText)) {
        VCliUsage::error(err, "The setting " + VCliText::quoted(typed) + " is of another kind");
        return 1;
    }
    out << VADisplayText::utf8(text) << '\n';
    return 0;
}
