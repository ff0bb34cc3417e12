#include "VMCDestinationText.h"

#include "VADisplayText.h"
#include "VAStringTools.h"
#include "VMCFriendlyPath.h"
#include "VMCNamingTemplate.h"

namespace VMCDestinationText {

namespace {

XStr plainText(const XStr& styled) {
    XStr out;
    for (const VAStringTools::StyledRun& run : VAStringTools::importColorsW(styled)) {
        out += run.text;
    }
    return out;
}

}  // namespace

XStr describe(const VMCFileNaming& naming) {
    // Every kind of naming read as a folder and a template.
    VMCFileNaming shown = naming;
    shown.convertToR16Dynamic();
    const XStr& path = shown.destination().url();
    XStr folder = path.empty() ? XStr() : VMCFriendlyPath::friendlyNameExt(path);
    if (folder.empty() && !path.empty()) {
        folder = "/";
    }
    folder = VADisplayText::escaped(folder);
    // The template is described on its own: brackets in a folder's name are no elements.
    const XStr templ =
        VADisplayText::escaped(plainText(DescribeNamingTemplate(shown.dynamicFormat())));
    if (folder.empty()) {
        return templ;
    }
    return folder.endsWith("/") ? folder + templ : folder + "/" + templ;
}

}  // namespace VMCDestinationText
