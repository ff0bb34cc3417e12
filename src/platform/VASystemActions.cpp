#include "VASystemActions.h"

#include <cstdio>
#include <cstdlib>

#include "XFindProgram.h"
#include "XWorkerProcess.h"

namespace VASystemActions {

XStrList commandFor(int action) {
    switch (action) {
        case kShutDown:
            return {"systemctl", "poweroff"};
        case kSleep:
            return {"systemctl", "suspend"};
        case kLogOut: {
            const char* session = std::getenv("XDG_SESSION_ID");
            return {"loginctl", "terminate-session", session != nullptr ? session : ""};
        }
        case kRestart:
            return {"systemctl", "reboot"};
        default:
            return {};
    }
}

bool perform(int action) {
    XStrList args = commandFor(action);
    if (args.empty()) {
        return false;
    }
    const XStr program = XFindProgram(args[0]);
    if (program.empty()) {
        std::fprintf(stderr, "%s not found; the after-conversion action is skipped\n",
                     args[0].utf8().c_str());
        return false;
    }
    args[0] = program;
    XWorkerProcess process;
    // The request must go through even when the program ends right after asking.
    process.setDieWithParent(false);
    if (!process.Create(args, 0)) {
        std::fprintf(stderr, "could not start %s\n", program.utf8().c_str());
        return false;
    }
    // systemctl answers once the request is queued; do not hang the program on it.
    const int status = process.Stop(30000);
    if (status != 0) {
        std::fprintf(stderr, "%s answered %d\n", program.utf8().c_str(), status);
    }
    return status == 0;
}

}  // namespace VASystemActions
