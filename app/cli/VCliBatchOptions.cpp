#include "VCliBatchOptions.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>

#include "VASourceList.h"
#include "VCliOptionParser.h"
#include "VCliText.h"
#include "VMCBatchConverterFiltersDialog.h"
#include "VMCBatchConverterProfile.h"
#include "VMCTableColumns.h"

namespace {

std::string joinNames(const XStrList& names) {
    std::string text;
    for (const XStr& name : names) {
        text += (text.empty() ? "" : ", ") + name.utf8();
    }
    return text;
}

XStrList catalogueColumns() {
    XStrList all = VMCTableColumns::mainColumnNames();
    const XStrList& tags = VMCTableColumns::tagColumnNames();
    all.insert(all.end(), tags.begin(), tags.end());
    all.push_back(VMCTableColumns::kFolder);
    return all;
}

}  // namespace

const std::vector<VCliOptionDef>& VCliBatchOptions::table() {
    static const std::vector<VCliOptionDef> kTable = [] {
        std::vector<VCliOptionDef> table = {
            {"recursive", 'r', false, false, "",
             "select the folders with every folder below them (default: their own files)"},
            {"exclude", 0, true, true, "FIELD=VALUE,...",
             "leave out files with one of these values (FIELD: File Types, Date, Resolution,\n"
             "Frame Rate, Aspect Ratio, Pixel Format, Profile, Color Space, Channels, Sample\n"
             "Rate; Date=N: older than N days); kept in a saved batch profile"},
            {"only", 0, true, true, "FIELD=VALUE,...",
             "keep only files with one of these values, for this run"},
            {"batch-profile", 0, true, false, "NAME",
             "start from a saved batch profile: its folders, check states and filters"},
            {"save-profile", 0, true, false, "NAME",
             "save the folders, check states and filters as a batch profile (without --list,\n"
             "nothing is converted)"},
            {"list", 0, false, false, "", "list the files instead of converting them"},
            {"columns", 0, true, false, "NAME,...",
             "with --list: the columns to show (Name, Size, Type, Date Modified, Length,\n"
             "Resolution, Bit Rate, Frame Rate, Folder, ...)"},
        };
        for (VCliOptionDef def : VCliConvertOptions::table()) {
            if (def.longName == "json") {
                def.help = "with --list, one JSON object per file; else progress as JSON";
            }
            table.push_back(def);
        }
        return table;
    }();
    return kTable;
}

std::string VCliBatchOptions::helpText() {
    return "Usage: vantaro batch [options] [DIR|FILE...]\n"
           "\n"
           "Selects the media files of each DIR (with --recursive, also of every folder below\n"
           "it) and each FILE, leaves out what the filters exclude, and converts them as\n"
           "'vantaro convert' does, or lists them (--list). Files are taken by their\n"
           "extension; filters on media properties probe the files (the results are kept).\n"
           "\n"
           "Options:\n" +
           VCliOptionParser(table()).optionsHelp() +
           "\n"
           "Exit status: as 'vantaro convert'; 2 for bad usage.\n";
}

bool VCliBatchOptions::readFieldValues(const std::string& text, const std::string& option,
                                       XStr& field, VMCFileFilter::ValueSet& values,
                                       std::string& error) {
    const std::size_t eq = text.find('=');
    const XStr name = XStr(text.substr(0, eq == std::string::npos ? text.size() : eq)).trimmed();
    const XStrList names = VMCBatchConverterProfile::filterNames();
    field.clear();
    for (const XStr& known : names) {
        if (known.equalsNoCase(name)) {
            field = known;
        }
    }
    if (eq == std::string::npos || field.empty()) {
        error = "Invalid value " + VCliText::quoted(text) + " of '--" + option +
                "' (use FIELD=VALUE,...; FIELD is one of " + joinNames(names) + ")";
        return false;
    }
    values.clear();
    for (const XStr& part : XStr(text.substr(eq + 1)).split(U',')) {
        XStr value = part.trimmed();
        if (value.empty()) {
            continue;
        }
        if (field == VMCFileFilter::kFileTypes) {
            value = (value.startsWith(".") ? value : "." + value).upperASCII();
        } else if (field == VMCFileFilter::kDate) {
            const int64_t days = VMCFileFilter::daysOf(value);
            if (days <= 0) {
                error = "Invalid number of days " + VCliText::quoted(value) + " of '--" + option +
                        "' (use Date=N with N at least 1)";
                return false;
            }
            value = VMCBatchConverterFiltersDialog::dateTextFor(days);
        }
        values.insert(value);
    }
    if (values.empty()) {
        error = "No values given in " + VCliText::quoted(text) + " of '--" + option + "'";
        return false;
    }
    return true;
}

bool VCliBatchOptions::readColumns(const std::string& text, XStrList& columns, std::string& error) {
    const XStrList catalogue = catalogueColumns();
    for (const XStr& part : XStr(text).split(U',')) {
        const XStr name = part.trimmed();
        if (name.empty()) {
            continue;
        }
        bool found = false;
        for (const XStr& known : catalogue) {
            if (known.equalsNoCase(name)) {
                columns.push_back(known);
                found = true;
            }
        }
        if (!found) {
            error =
                "Unknown column " + VCliText::quoted(name) + " (use " + joinNames(catalogue) + ")";
            return false;
        }
    }
    if (columns.empty()) {
        error = "No columns given in '--columns'";
        return false;
    }
    return true;
}

bool VCliBatchOptions::readLocations(const std::vector<std::string>& operands, XStrList& folders,
                                     XStrList& files, std::string& error) {
    for (const std::string& operand : operands) {
        if (operand.empty()) {
            error = "An empty file name was given";
            return false;
        }
        const XStr path = VASourceList::absolutePath(XStr(operand));
        struct stat st {};
        if (stat(path.utf8().c_str(), &st) != 0) {
            const int e = errno;
            error = e == ENOENT || e == ENOTDIR
                        ? "No such file or folder: " + VCliText::quoted(operand)
                        : "Cannot read " + VCliText::quoted(operand) + ": " + strerror(e);
            return false;
        }
        if (S_ISDIR(st.st_mode)) {
            folders.push_back(path);
        } else if (S_ISREG(st.st_mode)) {
            files.push_back(path);
        } else {
            error = "Not a file or folder: " + VCliText::quoted(operand);
            return false;
        }
    }
    return true;
}

bool VCliBatchOptions::fromArgs(const std::vector<std::string>& args, VCliBatchOptions& out,
                                std::string& error) {
    VCliParsedOptions parsed;
    if (!VCliOptionParser(table()).parse(args, parsed, error)) {
        return false;
    }
    out = VCliBatchOptions();
    out.help = parsed.has("help");
    if (out.help) {
        return true;
    }
    if (!VCliConvertOptions::fromParsed(parsed, out.convert, error, false)) {
        return false;
    }
    out.recursive = parsed.has("recursive");
    out.list = parsed.has("list");
    out.json = parsed.has("json");
    for (const char* option : {"exclude", "only"}) {
        auto& into = std::string(option) == "exclude" ? out.excludes : out.only;
        for (const std::string& text : parsed.values(option)) {
            XStr field;
            VMCFileFilter::ValueSet values;
            if (!readFieldValues(text, option, field, values, error)) {
                return false;
            }
            into[field].insert(values.begin(), values.end());
        }
    }
    if (const auto name = parsed.value("batch-profile")) {
        out.batchProfile = XStr(*name);
    }
    if (const auto name = parsed.value("save-profile")) {
        if (name->empty()) {
            error = "The option '--save-profile' needs a name";
            return false;
        }
        out.saveProfile = XStr(*name);
    }
    if (const auto columns = parsed.value("columns")) {
        if (!out.list) {
            error = "The option '--columns' needs '--list'";
            return false;
        }
        if (!readColumns(*columns, out.columns, error)) {
            return false;
        }
    }
    if (!readLocations(parsed.operands, out.folders, out.files, error)) {
        return false;
    }
    if (out.folders.empty() && out.files.empty() && !out.batchProfile) {
        error = "No folders given (or a batch profile with '--batch-profile NAME')";
        return false;
    }
    return true;
}
