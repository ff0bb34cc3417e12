#include "VCliCommands.h"

#include "VCliBatchCommand.h"
#include "VCliCatalogueCommands.h"
#include "VCliConvertOptions.h"
#include "VCliFFmpegCommand.h"
#include "VCliMultiCommand.h"
#include "VCliNamesCommand.h"
#include "VCliProbeCommand.h"
#include "VCliProfileCommand.h"
#include "VCliSettingsCommand.h"
#include "VCliWatchCommand.h"

const std::vector<VCliCommand>& VCliCommands::all() {
    static const std::vector<VCliCommand> kCommands = {
        {"convert", "FILE...", VCliValueKind::kFile, "convert video and audio files with FFmpeg",
         &VCliConvertOptions::table},
        {"batch", "[DIR|FILE...]", VCliValueKind::kFolder,
         "list or convert the media files of folders, by their properties",
         &VCliBatchCommand::options},
        {"watch", "DIR...", VCliValueKind::kFolder,
         "convert each media file that arrives in folders", &VCliWatchCommand::options},
        {"names", "FILE...", VCliValueKind::kFile,
         "show where the outputs of files would go; naming templates", &VCliNamesCommand::options},
        {"probe", "FILE...", VCliValueKind::kFile, "show the media properties and tags of files",
         &VCliProbeCommand::options},
        {"encoders", "", VCliValueKind::kText, "list the encoders",
         &VCliCatalogueCommands::listingOptions},
        {"encoder", "NAME", VCliValueKind::kEncoder,
         "show an encoder's controls and the FFmpeg options they give",
         &VCliCatalogueCommands::pageOptions},
        {"effects", "", VCliValueKind::kText, "list the effects",
         &VCliCatalogueCommands::listingOptions},
        {"effect", "NAME", VCliValueKind::kEffect,
         "show an effect's controls and the text they give", &VCliCatalogueCommands::pageOptions},
        {"profiles", "", VCliValueKind::kText, "list the profiles, the active one marked",
         &VCliProfileCommand::profilesOptions},
        {"profile", "show|create|set|use|delete NAME", VCliValueKind::kText,
         "show, create, change, activate or delete a profile", &VCliProfileCommand::profileOptions},
        {"multi", "add ENCODER|list|remove N", VCliValueKind::kText,
         "list and change the encoders of the multi encoder", &VCliMultiCommand::options},
        {"settings", "list|get|set|delete NAME [VALUE]", VCliValueKind::kText,
         "read and write values of the settings store", &VCliSettingsCommand::options},
        {"ffmpeg", "[install FILE|install --download|revert]", VCliValueKind::kFile,
         "show the FFmpeg in use; install one or go back to the system's",
         &VCliFFmpegCommand::options},
    };
    return kCommands;
}

const std::vector<VCliOptionDef>& VCliCommands::programOptions() {
    static const std::vector<VCliOptionDef> kTable = {
        {"help", 'h', false, false, "", "show this help"},
        {"version", 0, false, false, "", "show the version"},
        {"check", 0, false, false, "",
         "with --version: also ask the maker's web server for the current version"},
    };
    return kTable;
}

std::string VCliCommands::summary() {
    return "batch converter for video and audio files";
}

std::string VCliCommands::about() {
    return "Converts video and audio files with FFmpeg, several at a time, with the profiles\n"
           "it keeps, and shows the encoders and effects it offers, the media properties of\n"
           "files and where their outputs go.";
}
