#include "VCliNamingOptions.h"

#include "VASourceList.h"
#include "VCliText.h"

namespace {

bool readFolder(const VCliParsedOptions& parsed, const char* name, std::optional<XStr>& out,
                std::string& error) {
    const std::optional<std::string> value = parsed.value(name);
    if (!value) {
        return true;
    }
    if (value->empty()) {
        error = std::string("The option '--") + name + "' needs a folder";
        return false;
    }
    out = XStr(*value);
    return true;
}

}  // namespace

const std::vector<VCliOptionDef>& VCliNamingOptions::table() {
    static const std::vector<VCliOptionDef> kTable = {
        {"output", 'o', true, false, "DIR",
         "folder for the outputs, made when missing (default: beside each source)",
         VCliValueKind::kFolder},
        {"template", 0, true, false, "TEXT",
         "name the outputs under -o DIR from tags and properties:\n"
         "'[artist]/[album]/[track] - [title]' ('vantaro names --elements');\n"
         "one that begins with [origpath] needs no -o (the source folders from /)"},
        {"preserve-path", 0, true, false, "DIR",
         "rebuild each source's folders under DIR, keeping its name", VCliValueKind::kFolder},
    };
    return kTable;
}

bool VCliNamingOptions::fromParsed(const VCliParsedOptions& parsed, VCliNamingOptions& out,
                                   std::string& error) {
    out = VCliNamingOptions();
    if (!readFolder(parsed, "output", out.outputDir, error) ||
        !readFolder(parsed, "preserve-path", out.preservePath, error)) {
        return false;
    }
    if (const std::optional<std::string> text = parsed.value("template")) {
        if (text->empty()) {
            error = "The option '--template' needs a template";
            return false;
        }
        out.templ = XStr(*text);
    }
    if (out.preservePath && (out.outputDir || out.templ)) {
        error =
            "The option '--preserve-path' names the destination and the names itself; it "
            "cannot be used with '--output' or '--template'";
        return false;
    }
    if (out.templ && !out.outputDir &&
        !VMCFileNaming::sanitizeDynamicPattern(*out.templ).startsWith(VMCFileNaming::kOrigPath)) {
        error = "The template " + VCliText::quoted(*out.templ) +
                " needs a destination folder: give -o DIR (only a template that begins with "
                "[origpath] may go without one; it rebuilds the source folders from /)";
        return false;
    }
    return true;
}

VMCFileNaming VCliNamingOptions::makeNaming() const {
    if (preservePath) {
        return VMCFileNaming::namingPreservePath(VASourceList::absolutePath(*preservePath));
    }
    VMCFileNaming naming;
    if (templ) {
        naming.setFileNamingType(VMCFileNaming::kDynamic);
        naming.setDynamicFormat(VMCFileNaming::sanitizeDynamicPattern(*templ));
        naming.setDestination(
            outputDir ? VMCLocationDescriptor::withURL(VASourceList::absolutePath(*outputDir))
                      : VMCLocationDescriptor::root());
    } else if (outputDir) {
        // The sources' own names, as they are: only the length rules apply.
        naming.setFileNamingType(VMCFileNaming::kSingleFolder);
        naming.setDestination(
            VMCLocationDescriptor::withURL(VASourceList::absolutePath(*outputDir)));
    }
    return naming;
}
