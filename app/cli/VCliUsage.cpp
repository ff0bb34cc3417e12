#include "VCliUsage.h"

#include "VADisplayText.h"

std::string VCliUsage::programHelp() {
    return "Usage: vantaro COMMAND [options] [FILE...]\n"
           "\n"
           "Commands:\n"
           "  convert        convert video and audio files with FFmpeg\n"
           "  probe          show the media properties and tags of files\n"
           "  encoders       list the encoders\n"
           "  encoder NAME   show an encoder's controls and the FFmpeg options they give\n"
           "  effects        list the effects\n"
           "  effect NAME    show an effect's controls and the text they give\n"
           "\n"
           "Options:\n"
           "  -h, --help  show this help\n"
           "  --version   show the version\n"
           "\n"
           "Run 'vantaro COMMAND --help' for the options of a command.\n";
}

void VCliUsage::error(std::ostream& err, const std::string& message) {
    err << "vantaro: " << VADisplayText::linesUtf8(message) << '\n';
    err.flush();
}

int VCliUsage::fail(std::ostream& err, const std::string& message, const std::string& command) {
    error(err, message);
    err << "Try 'vantaro " << (command.empty() ? "" : command + " ") << "--help'.\n";
    return kUsageError;
}
