// The store file may have been damaged or written by anything: loading it must never
// crash, and a write afterwards must leave a readable store holding the new value, with a
// store that could not be read kept beside it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "XJSON.h"
#include "XRegistry.h"
#include "XRegistryTransaction.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A store on a memory file system, made once per run.
const std::string& storePath() {
    static const std::string path = [] {
        std::string folder = "/dev/shm/fuzz-registry-XXXXXX";
        if (mkdtemp(folder.data()) == nullptr) {
            std::abort();
        }
        const std::string store = folder + "/XRegistry";
        XRegistry::SetLocation(XStr(store), true);
        XRegistry::SetDefaultKey("HKCU", "Software\\Quillmere\\VantaroVideo");
        return store;
    }();
    return path;
}

void writeBytes(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool blank(const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 || data[i] > 32) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& store = storePath();
    const std::string unreadable = store + ".unreadable";
    std::remove(unreadable.c_str());
    writeBytes(store, data, size);
    const XJSON::Owned original =
        XJSON::ParseUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    const bool readable = original && original->TypeOf() == XJSON::typeObject;

    bool missing = false;
    XRegistry::GetString("a", {}, {}, &missing);
    XRegistry::GetDWORD("a", "HKCU", "Software", &missing);
    XStrList list;
    XRegistry::EnumKeys({}, {}, list);
    XRegistry::EnumValues("HKCU", "", list);
    XRegistry::GetStringList("a", list);
    std::vector<uint8_t> binary;
    XRegistry::GetBinary("a", binary);
    XRegistry::KeyExists({}, "Software\\Quillmere");

    XRegistryTransaction transaction;
    transaction.SetString("fuzz", "x");
    transaction.CopyKey("Software\\Quillmere\\VantaroVideo", "Software\\Copy");
    require(transaction.GetString("fuzz") == "x");
    transaction.Commit();

    const XJSON::Owned after = XJSON::ReadFile(XStr(store), 1 << 30);
    require(after && after->TypeOf() == XJSON::typeObject);
    require(XRegistry::GetString("fuzz", {}, {}, &missing) == "x" && !missing);
    require(XRegistry::GetString("fuzz", {}, "Software\\Copy", &missing) == "x");
    if (!readable && !blank(data, size)) {
        require(readBytes(unreadable) == std::string(reinterpret_cast<const char*>(data), size));
    }
    return 0;
}
