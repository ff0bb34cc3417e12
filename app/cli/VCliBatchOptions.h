// The options of "vantaro batch": which folders and files are selected (recursively or
// not), the property filter (--exclude, kept in batch profiles, and --only, for this run),
// batch profiles to reuse or save, the listing, and every option of "vantaro convert".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "VCliConvertOptions.h"
#include "VCliOptionDef.h"
#include "VCliParsedOptions.h"
#include "VMCFileFilter.h"
#include "XStr.h"

struct VCliBatchOptions {
    VCliConvertOptions convert;
    // Absolute paths.
    XStrList folders;
    XStrList files;
    bool recursive = false;
    // Field to the values of every --exclude and every --only, in the spelling a filter
    // stores them.
    std::map<XStr, VMCFileFilter::ValueSet> excludes;
    std::map<XStr, VMCFileFilter::ValueSet> only;
    std::optional<XStr> batchProfile;
    std::optional<XStr> saveProfile;
    bool list = false;
    // Catalogue names, in the order given.
    XStrList columns;
    bool json = false;
    bool help = false;

    static const std::vector<VCliOptionDef>& table();
    static bool fromArgs(const std::vector<std::string>& args, VCliBatchOptions& out,
                         std::string& error);
    static std::string helpText();

    // "FIELD=VALUE,VALUE" read into a filter field's name and values; false with a message.
    static bool readFieldValues(const std::string& text, const std::string& option, XStr& field,
                                VMCFileFilter::ValueSet& values, std::string& error);
    // "NAME,NAME" read into catalogue column names.
    static bool readColumns(const std::string& text, XStrList& columns, std::string& error);
    // Operands sorted into folders and files, made absolute.
    static bool readLocations(const std::vector<std::string>& operands, XStrList& folders,
                              XStrList& files, std::string& error);
};
