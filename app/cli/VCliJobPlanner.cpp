#include "VCliJobPlanner.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "VAConvertSourceConcat.h"
#include "VALocateFFmpeg.h"
#include "VCliPageSettings.h"
#include "VCliText.h"
#include "VVCCodecs.h"
#include "VVCPageText.h"
#include "XPath.h"

namespace {

std::string quoted(const XStr& path) {
    return VCliText::quoted(path);
}

bool statPath(const XStr& path, struct stat& st) {
    return stat(path.utf8().c_str(), &st) == 0;
}

uint64_t sizeOf(const XStr& path) {
    struct stat st {};
    return statPath(path, st) ? static_cast<uint64_t>(st.st_size) : 0;
}

// The same file under another name (a link, "./", a case that the engine would not see
// as the same): writing to it would destroy what is being read.
bool sameInode(const XStr& a, const XStr& b) {
    struct stat sa {};
    struct stat sb {};
    return statPath(a, sa) && statPath(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

VCliJobPlanner::VCliJobPlanner(VCliConvertOptions options) : mOptions(std::move(options)) {}

void VCliJobPlanner::setFolderLister(VCliSourceList::FolderLister lister) {
    mSources.setFolderLister(std::move(lister));
}

bool VCliJobPlanner::checkOutputFolder(const XStr& folder, Result& result, bool& create) const {
    struct stat st {};
    create = false;
    if (!statPath(folder, st)) {
        if (errno != ENOENT) {
            result.messages.push_back("Cannot use output folder " + quoted(folder) + ": " +
                                      strerror(errno));
            return false;
        }
        create = true;
        return true;
    }
    if (!S_ISDIR(st.st_mode)) {
        result.messages.push_back("Output folder " + quoted(folder) + " is not a folder");
        return false;
    }
    if (access(folder.utf8().c_str(), W_OK | X_OK) != 0) {
        result.messages.push_back("Cannot write to output folder " + quoted(folder) + ": " +
                                  strerror(errno));
        return false;
    }
    return true;
}

bool VCliJobPlanner::chooseEncoding(VAConversionSpec& spec, XStr& ext, Result& result) const {
    ext = mOptions.ext.value_or(mOptions.copy ? XStr() : XStr(kDefaultExt));
    if (!mOptions.effects.empty()) {
        spec.setDspString(mOptions.effects);
    }
    // The custom encoder with the typed text: what --encoder-args (or nothing) asks for.
    const auto typedArgs = [&] {
        spec.Encoder = VAEncoderDesc::makeVideoCodec(kEncoderName, "");
        spec.EncoderArgsV2.strArgs = mOptions.encoderArgs;
        spec.EncoderArgsV2.customFormatExt = ext;
        return true;
    };
    if (!mOptions.encoder && mOptions.effectNames.empty() && mOptions.settings.empty()) {
        return typedArgs();
    }

    const bool gpl = VALocateFFmpeg::gplEncodersOffered();
    VCliPageSettings::Split split;
    std::string error;
    const auto isEffect = [](const XStr& name) {
        return VVCPageText::effectNamed(name, true, true).has_value();
    };
    if (!VCliPageSettings::split(mOptions.effectNames, mOptions.settings, isEffect, split, error)) {
        result.messages.push_back(error);
        return false;
    }
    XStr why;
    for (const VCliPageSettings::Effect& effect : split.effects) {
        const std::optional<VADSPSpec> made =
            VVCPageText::effectFor(effect.name, effect.settings, gpl, &why);
        if (!made) {
            result.messages.push_back(why.utf8());
            return false;
        }
        spec.dspEffects.push_back(*made);
    }

    if (!mOptions.encoder) {
        if (!split.encoderSettings.empty()) {
            result.messages.push_back("The setting " + quoted(split.encoderSettings.front()) +
                                      " names no effect given with '--effect'; settings of an "
                                      "encoder need '--encoder'");
            return false;
        }
        return typedArgs();
    }

    const std::optional<XStr> name = VVCPageText::encoderNamed(*mOptions.encoder, false, gpl);
    std::optional<VAEncoderArgs> args = VVCPageText::encoderArgsFor(
        name.value_or(*mOptions.encoder), split.encoderSettings, gpl, &why);
    if (!args) {
        result.messages.push_back(why.utf8());
        return false;
    }
    const bool custom = *name == kEncoderName;
    if (mOptions.ext) {
        if (!custom) {
            result.messages.push_back("The option '--ext' applies only to the encoder " +
                                      quoted(XStr(kEncoderName)) + "; the encoder " +
                                      quoted(*name) + " writes " +
                                      VVCPageText::outputExtension(*name, *args).utf8() + " files");
            return false;
        }
        args->customFormatExt = *mOptions.ext;
    }
    ext = VVCPageText::outputExtension(*name, *args);
    if (ext.empty() || ext == ".") {
        result.messages.push_back("The encoder " + quoted(*name) +
                                  " needs the extension of its outputs: give --ext .EXT");
        return false;
    }
    const std::vector<VAEncoderDesc> offered = VVCCodecs::listEncoders(gpl);
    spec.Encoder = *VAEncoderDesc::findEncoder(offered, *name);
    spec.EncoderArgsV2 = *args;
    return true;
}

std::string VCliJobPlanner::ownSourceMessage(const VAConversionEntry& entry, const XStr& source,
                                             bool joined) {
    const XStr& to = entry.urlTo;
    const std::string fix = entry.justCopy
                                ? "choose another output folder with -o DIR"
                                : "choose another output folder (-o DIR) or extension (--ext .EXT)";
    if (joined) {
        return "Cannot join into " + quoted(to) + ": it is one of the files being joined, " +
               "and writing it would destroy it while it is read; " + fix;
    }
    const std::string what = entry.justCopy ? "copy" : "convert";
    const std::string same =
        source == to ? std::string() : " " + quoted(to) + " is another name for that file;";
    return "Cannot " + what + " " + quoted(source) + " onto itself:" + same +
           " writing the output would destroy the file while it is read; " + fix;
}

void VCliJobPlanner::refuseDestinations(const VAConversionSpec& spec, Result& result,
                                        std::vector<std::string>& existing) const {
    std::set<XStr> taken;
    for (const VAConversionEntry& entry : spec.entries) {
        const XStr& to = entry.urlTo;
        XStrList sources;
        if (const auto* concat =
                dynamic_cast<const VAConvertSourceConcat*>(entry.convertFrom.get())) {
            sources = concat->concatURLs();
        } else {
            sources.push_back(entry.convertFrom->urlForConversion);
        }
        if (!taken.insert(to).second) {
            result.messages.push_back("The output " + quoted(to) +
                                      " would be written by more than one job");
            continue;
        }
        // Only a single source converted by FFmpeg onto its own path is safe: the run
        // writes beside it and replaces it after a clean run. Joins and copies read while
        // writing, and another name for the same file escapes that guard.
        const XStr* itself = nullptr;
        bool inPlace = false;
        for (const XStr& source : sources) {
            const bool guarded = !entry.justCopy && sources.size() == 1 && source.equalsNoCase(to);
            inPlace = inPlace || guarded;
            if (!guarded && (source == to || sameInode(source, to))) {
                itself = &source;
            }
        }
        if (itself != nullptr) {
            result.messages.push_back(ownSourceMessage(entry, *itself, sources.size() > 1));
            continue;
        }
        struct stat st {};
        if (lstat(to.utf8().c_str(), &st) == 0) {
            if (S_ISDIR(st.st_mode)) {
                result.messages.push_back("The output " + quoted(to) + " is a folder");
                continue;
            }
            result.existing.push_back(to);
            existing.push_back(
                inPlace ? "The output " + quoted(to) +
                              " is its own source; use --overwrite to replace the source with "
                              "the converted file once it is complete, or choose another output "
                              "folder (-o DIR) or extension (--ext .EXT)"
                        : "The output " + quoted(to) + " exists; use --overwrite to replace it");
        }
    }
}

VCliJobPlanner::Result VCliJobPlanner::plan() const {
    Result result;
    XStrList files;
    std::string error;
    if (!mSources.expand(mOptions.files, files, error)) {
        result.exitCode = 2;
        result.messages.push_back(error);
        return result;
    }

    auto spec = std::make_shared<VAConversionSpec>();
    XStr ext;
    if (!chooseEncoding(*spec, ext, result)) {
        result.exitCode = 2;
        return result;
    }
    result.spec = spec;
    if (files.empty()) {
        return result;
    }

    VMCFileNaming naming = mOptions.naming.makeNaming();
    naming.setEncoder(*spec->Encoder, spec->EncoderArgsV2);
    bool createOutput = false;
    const std::optional<XStr> output = outputFolder(naming);
    if (output && !checkOutputFolder(*output, result, createOutput)) {
        result.exitCode = 2;
        return result;
    }
    if (naming.fileNamingType() == VMCFileNaming::kSameFolder) {
        std::set<XStr> checked;
        for (const XStr& file : files) {
            const XStr folder = XPath::folderOf(file);
            if (checked.insert(folder).second && access(folder.utf8().c_str(), W_OK | X_OK) != 0) {
                result.messages.push_back("Cannot write to folder " + quoted(folder) + ": " +
                                          strerror(errno));
                result.exitCode = 2;
                return result;
            }
        }
    }

    const auto extensionOf = [&](const XStr& source) {
        return mOptions.copy && !mOptions.ext ? XPath::extension(source) : ext;
    };
    // A join is named after its first file.
    result.destinations = VCliDestinations::name(
        naming, mOptions.join ? XStrList{files.front()} : files, extensionOf);
    for (const VCliDestinations::Named& named : result.destinations) {
        if (!named.destination) {
            result.unnamed.push_back("Cannot name the output of " + quoted(named.source) + ": " +
                                     named.problem);
        }
    }
    if (mOptions.join) {
        if (const std::optional<XStr>& to = result.destinations.front().destination) {
            auto concat = std::make_shared<VAConvertSourceConcat>();
            concat->setConcatURLs(files);
            VAConversionEntry entry;
            entry.convertFrom = concat;
            entry.urlTo = *to;
            entry.overwriteExisting = mOptions.overwrite;
            for (const XStr& file : files) {
                entry.sourceSizeBytes += sizeOf(file);
            }
            spec->entries.push_back(std::move(entry));
        }
    } else {
        for (const VCliDestinations::Named& named : result.destinations) {
            if (!named.destination) {
                continue;
            }
            VAConversionEntry entry;
            entry.justCopy = mOptions.copy;
            entry.convertFrom = VAConvertSource::withURL(named.source);
            entry.urlTo = *named.destination;
            entry.overwriteExisting = mOptions.overwrite;
            entry.sourceSizeBytes = sizeOf(named.source);
            spec->entries.push_back(std::move(entry));
        }
    }

    std::vector<std::string> existing;
    refuseDestinations(*spec, result, existing);
    if (!result.messages.empty()) {
        result.exitCode = 1;
        return result;
    }
    if (!mOptions.overwrite && !existing.empty()) {
        result.messages = existing;
        result.exitCode = 1;
    }
    // A dry run goes on to show every command, the refused ones too.
    result.planned = true;
    if (result.exitCode != 0) {
        return result;
    }
    if (output && !mOptions.dryRun) {
        XStr why;
        if (!naming.prepareFolder(&why)) {
            result.messages.push_back(std::string(createOutput ? "Cannot create output folder "
                                                               : "Cannot use output folder ") +
                                      quoted(*output) + ": " + why.utf8());
            result.exitCode = 2;
            return result;
        }
    }
    return result;
}

std::optional<XStr> VCliJobPlanner::outputFolder(const VMCFileNaming& naming) {
    if (!naming.usingDestinationFolder() || naming.destination().url() == "/") {
        return std::nullopt;
    }
    return naming.destination().url();
}
