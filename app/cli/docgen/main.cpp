// vantaro-docgen OUTDIR: writes the manual page vantaro.1 and the bash completion
// vantaro.bash, made from the program's own tables, into OUTDIR at build time.
#include <fstream>
#include <iostream>
#include <string>

#include "VCliBashCompletion.h"
#include "VCliManPage.h"

namespace {

bool writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out) {
        std::cerr << "vantaro-docgen: cannot write '" << path << "'\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: vantaro-docgen OUTDIR\n";
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = writeFile(dir + "/vantaro.1", VCliManPage::render()) &&
                    writeFile(dir + "/vantaro.bash", VCliBashCompletion::render());
    return ok ? 0 : 1;
}
