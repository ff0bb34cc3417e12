// The operating system's version as a bug report names it: the distribution's own name
// from os-release, then the kernel's release.
#include "VASystemVersion.h"

#include <gtest/gtest.h>

TEST(VASystemVersion, TheDistributionsNameAndTheKernel) {
    struct Case {
        const char* osRelease;
        const char* kernel;
        const char* shown;
    };
    const Case cases[] = {
        {"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n",
         "6.1.0-18-amd64", "Debian GNU/Linux 12 (bookworm) 6.1.0-18-amd64"},
        {"PRETTY_NAME='Fedora Linux 40'\n", "6.8.5", "Fedora Linux 40 6.8.5"},
        {"NAME=Arch\n", "6.9", "Arch 6.9"},
        {"PRETTY_NAME=\"Say \\\"hi\\\"\"\r\n", "1", "Say \"hi\" 1"},
        {"ID=none\nPRETTY_NAME_EXTRA=\"no\"\n", "5.10", "Linux 5.10"},
        {"", "", "Linux"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VASystemVersion::osVersionFrom(c.osRelease, c.kernel), XStr(c.shown))
            << c.osRelease;
    }
}
