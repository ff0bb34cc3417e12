// Whatever a template and a file's tags hold, the full path the naming object gives for a
// destination folder stays inside it: no name "." or "..", none empty, none over 249
// bytes, the whole path under 1024 bytes, the extension kept, and a template that begins
// with the source's folder keeps its folders as they are spelt. The input is read as the
// template expander's target reads it (NamingFuzzInput.h); its first tag also picks the
// character rules, and an "origfilename" tag names the source file.
#include <stdlib.h>
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "NamingFuzzInput.h"
#include "VAMediaFileInfo.h"
#include "VATag.h"
#include "VMCFileNaming.h"
#include "XPath.h"
#include "XStr.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The source's folder: a colon the default rules would replace and a hidden folder, which
// a template beginning with [origpath] must keep as they are.
const XStr kSourceFolder = "/music/Some:Folder/.hidden";

std::string gRoot;
XStr gDestination;
std::unique_ptr<VMCFileNaming> gPrototype;

// Tables a user might have set: the default, the other platform's, one that deletes
// points and one that turns a letter into a folder separator.
const char* const kTables[] = {"/-:;", "\"'>\xc2\xbb<\xc2\xab?\xc2\xbf:;\\-/-*-|-", ".*", "a/", ""};

// The checks, on the bytes that reach the file system.
void requireInside(const XStr& path, const XStr& folder) {
    const std::string bytes = path.utf8();
    const std::string base = folder.utf8() + "/";
    require(bytes.size() < 1024);
    require(bytes.compare(0, base.size(), base) == 0);
    require(bytes.find('\0') == std::string::npos);
    std::size_t start = base.size();
    while (true) {
        const std::size_t slash = bytes.find('/', start);
        const std::string name =
            bytes.substr(start, slash == std::string::npos ? slash : slash - start);
        require(!name.empty() && name != "." && name != "..");
        require(name.size() <= 249);
        if (slash == std::string::npos) {
            break;
        }
        start = slash + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A store and a destination of our own: nothing of the user's is read or written.
    char dir[] = "/tmp/vantaro-fuzz-naming-XXXXXX";
    if (mkdtemp(dir) == nullptr) {
        std::abort();
    }
    gRoot = dir;
    std::atexit([] { std::filesystem::remove_all(gRoot); });
    setenv("XCLASS_XREGISTRY_LOCATION", (gRoot + "/XRegistry").c_str(), 1);
    gDestination = XStr(gRoot + "/out");
    mkdir(gDestination.utf8().c_str(), 0700);
    gPrototype = std::make_unique<VMCFileNaming>();
    gPrototype->setDestination(VMCLocationDescriptor::withURL(gDestination));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const NamingFuzzInput input = namingFuzzInput(data, size);

    VMCFileNaming naming = *gPrototype;
    naming.setFileNamingType(VMCFileNaming::kDynamic);
    naming.setDynamicFormat(input.templ);
    const std::size_t pick = size == 0 ? 0 : data[size - 1];
    naming.setCharacterReplacement(kTables[pick % std::size(kTables)]);
    naming.setAnsiOnly((pick & 0x80) != 0);

    // The source's own name, when the input gives one a file can have.
    XStr name = "clip";
    const XStr given = input.tags.GetString("origfilename");
    if (!given.empty() && !given.contains(U'/') && given != "." && given != ".." &&
        !given.contains(U'\0') && given.utf8().size() <= 250) {
        name = given;
    }
    const XStr source = kSourceFolder + "/" + name + ".mkv";

    auto info = std::make_shared<VAMediaFileInfo>();
    info->setIDTags(VATag(input.tags));
    const std::optional<XStr> subPath = naming.subPathForSource(source, info.get());
    require(subPath.has_value());
    const std::optional<XStr> path = naming.fullPathForSubPath(*subPath, source, ".mp4");
    require(path.has_value());
    requireInside(*path, gDestination);
    require(path->endsWith(".mp4"));
    // The source's folders as they are spelt ("[origpath]" alone makes the last one the
    // file's name).
    if (input.templ.startsWith("[origpath]")) {
        require(path->startsWith(gDestination + XPath::folderOf(kSourceFolder) + "/"));
    }

    // One folder, the source's name kept.
    naming.setFileNamingType(VMCFileNaming::kSingleFolder);
    const std::optional<XStr> single = naming.fullPathForSource(source, nullptr, ".mp4");
    require(single.has_value());
    requireInside(*single, gDestination);
    return 0;
}
