#include "VMCCrashTest.h"

#include <signal.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace VMCCrashTest {

void armFromEnvironment() {
    const char* how = std::getenv(kVariable);
    if (how == nullptr) {
        return;
    }
    const std::string crash = how;
    QTimer::singleShot(0, QCoreApplication::instance(), [crash] {
        if (crash == "segv") {
            raise(SIGSEGV);
        } else if (crash == "abort") {
            std::abort();
        } else if (crash == "exception") {
            throw std::runtime_error("the test's uncaught exception");
        }
    });
}

}  // namespace VMCCrashTest
