// vantaro: the command-line program.
#include <signal.h>
#include <unistd.h>

#include <iostream>

#include "VCliProgram.h"
#include "VCliSettings.h"
#include "VCliSignalWatcher.h"

int main(int argc, char** argv) {
    // Before any thread starts, so that no thread but the watcher ever takes them.
    VCliSignalWatcher::blockSignals();
    // A closed pipe is reported by write; it must not end the program halfway through.
    signal(SIGPIPE, SIG_IGN);
    VCliSignalWatcher::start();
    std::ios::sync_with_stdio(false);
    VCliSettings::startUp();
    const std::vector<std::string> args(argv + 1, argv + argc);
    return VCliProgram::run(args, std::cout, std::cerr, isatty(STDOUT_FILENO) == 1);
}
