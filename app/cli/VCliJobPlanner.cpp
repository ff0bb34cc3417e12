#include "VCliJobPlanner.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include <atomic>

#include "VAConvertSourceConcat.h"
#include "VALocateFFmpeg.h"
#include "VAMediaFormatFilter.h"
#include "VCliPageSettings.h"
#include "VCliProbeList.h"
#include "VCliProfileCommand.h"
#include "VCliProfileEdit.h"
#include "VCliText.h"
#include "VMCCheckingFilenamesProgress.h"
#include "VMCMultiEncConfig.h"
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

VCliJobPlanner::VCliJobPlanner(VCliConvertOptions options) : mOptions(std::move(options)) {
    // A folder stands for its media files; what else it holds is counted, not converted.
    mSources.setFileWanted([formats = VAMediaFormatFilter::allFormats()](const XStr& name) {
        return formats->isMediaFile(name);
    });
}

void VCliJobPlanner::setFolderLister(VASourceList::FolderLister lister) {
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

bool VCliJobPlanner::chooseProfile(VMCConfig& config, VMCConfig::ProfilePtr& profile,
                                   VAConversionSpec& spec, Result& result) const {
    std::string error;
    profile = mOptions.profile ? VCliProfileCommand::findProfile(config, *mOptions.profile, error)
                               : config.activeProfile();
    if (!profile) {
        result.messages.push_back(error);
        return false;
    }
    const std::optional<VAEncoderDesc> encoder = config.encoderForProfile(*profile);
    if (!encoder) {
        result.messages.push_back("The profile " + quoted(profile->profileName()) +
                                  " converts with the encoder " + quoted(profile->encoderName()) +
                                  ", which is not offered ('vantaro encoders --all')");
        return false;
    }
    VCliProfileEdit edit;
    edit.settings = mOptions.settings;
    edit.effectNames = mOptions.effectNames;
    if (mOptions.effectsGiven) {
        edit.effects = mOptions.effects;
    }
    edit.ext = mOptions.ext;
    edit.naming = mOptions.naming;
    edit.namingGiven =
        mOptions.naming.outputDir || mOptions.naming.templ || mOptions.naming.preservePath;
    VAEncoderArgs args = profile->encoderArgsV2();
    VADSPChain chain = profile->dspEffects();
    if (!edit.applyEncoding(profile->encoderName(), args, chain, error)) {
        result.messages.push_back(error);
        return false;
    }
    // The changes hold for this run; only --save keeps them.
    profile->setEncoderArgsV2(args);
    profile->setDspEffects(chain);
    profile->setFileNaming(edit.namingOver(profile->fileNaming()));
    if (mOptions.save) {
        profile->saveProfile();
    }
    spec.Encoder = *encoder;
    spec.EncoderArgsV2 = args;
    spec.dspEffects = chain;

    std::vector<std::pair<XStr, VAEncoderArgs>> outputs;
    if (encoder->isMultiEncoder()) {
        const VMCMultiEncConfig multi = VMCMultiEncConfig::fromArgs(args, config.encoders());
        if (multi.entries().empty()) {
            result.messages.push_back("The profile " + quoted(profile->profileName()) +
                                      " has no encoders; add them with 'vantaro multi add "
                                      "ENCODER'");
            return false;
        }
        for (const VMCMultiEncEntry& entry : multi.entries()) {
            outputs.emplace_back(entry.encoder.name, entry.encoderArgsV2);
        }
    } else {
        outputs.emplace_back(encoder->name, args);
    }
    for (const auto& [name, encoderArgs] : outputs) {
        if (VVCPageText::outputExtension(name, encoderArgs).empty()) {
            result.messages.push_back("The encoder " + quoted(name) + " of the profile " +
                                      quoted(profile->profileName()) +
                                      " needs the extension of its outputs: give --ext .EXT");
            return false;
        }
    }
    return true;
}

std::vector<VMCFileNaming> VCliJobPlanner::namingsOf(const VMCConfig& config,
                                                     const VMCProfile& profile) {
    const std::optional<VAEncoderDesc> encoder = config.encoderForProfile(profile);
    if (!encoder || !encoder->isMultiEncoder()) {
        return {profile.fileNaming()};
    }
    std::vector<VMCFileNaming> namings;
    const VMCMultiEncConfig multi =
        VMCMultiEncConfig::fromArgs(profile.encoderArgsV2(), config.encoders());
    for (const VMCMultiEncEntry& entry : multi.entries()) {
        namings.push_back(entry.fileNaming->isUseParentConfig() ? profile.fileNaming()
                                                                : *entry.fileNaming);
    }
    return namings;
}

void VCliJobPlanner::planProfileOutputs(const VMCConfig& config, const VMCProfile& profile,
                                        const XStrList& files, VAConversionSpec& spec,
                                        Result& result) const {
    std::vector<VMCPreConvertEntry> entries;
    if (mOptions.join) {
        auto concat = std::make_shared<VAConvertSourceConcat>();
        concat->setConcatURLs(files);
        entries.push_back(VMCPreConvertEntry::withSource(concat));
    } else {
        for (const XStr& file : files) {
            entries.push_back(VMCPreConvertEntry::withSource(VAConvertSource::withURL(file)));
        }
    }
    VMCCheckingFilenamesProgress::Snapshot snapshot =
        VMCCheckingFilenamesProgress::snapshotOf(config, profile, entries, {});
    std::vector<std::string> unread(snapshot.entries.size());
    if (snapshot.needsMeta) {
        XStrList urls;
        for (const VMCPreConvertEntry& entry : snapshot.entries) {
            urls.push_back(entry.namingURL());
        }
        const std::vector<VCliProbeList::Probed> probed = VCliProbeList::probeAll(urls);
        snapshot.infos.resize(probed.size());
        for (std::size_t i = 0; i < probed.size(); ++i) {
            if (!probed[i].problem.empty()) {
                // Named by no encoder: the source fails alone.
                snapshot.entries[i].checked = false;
                unread[i] = VCliDestinations::unreadProblem(probed[i].problem);
            } else {
                snapshot.infos[i] = probed[i].info;
            }
        }
    }
    // The check of the desktop application, run here on the main thread: nothing waits
    // for it to be shown.
    VMCCheckFilenamesState state;
    const std::atomic<bool> stop{false};
    VMCCheckingFilenamesProgress::workerMain(snapshot, state, nullptr, stop);
    spec.multiCPU = state.multiCPU;

    std::size_t next = 0;
    for (std::size_t i = 0; i < snapshot.entries.size(); ++i) {
        const VMCPreConvertEntry& entry = snapshot.entries[i];
        const XStr source = entry.namingURL();
        if (!unread[i].empty()) {
            result.destinations.push_back({source, std::nullopt, unread[i]});
            result.unnamed.push_back("Cannot name the output of " + quoted(source) + ": " +
                                     unread[i]);
            continue;
        }
        for (; next < state.entries.size() && state.entries[next].source2 == entry.source; ++next) {
            const VMCCheckFileNamesEntry& output = state.entries[next];
            if (output.destination.empty()) {
                const VMCFileNaming naming =
                    output.multiEncData && !output.multiEncData->fileNaming->isUseParentConfig()
                        ? *output.multiEncData->fileNaming
                        : snapshot.naming;
                const std::string problem = VCliDestinations::unnamedProblem(naming, source);
                result.destinations.push_back({source, std::nullopt, problem});
                result.unnamed.push_back("Cannot name the output of " + quoted(source) + ": " +
                                         problem);
                continue;
            }
            result.destinations.push_back({source, output.destination, std::string()});
            VAConversionEntry job;
            job.convertFrom = output.source2;
            job.urlTo = output.destination;
            job.multiEncData = output.multiEncData;
            job.sourceSizeBytes = output.sourceSizeBytes;
            if (mOptions.join) {
                job.sourceSizeBytes = 0;
                for (const XStr& file : files) {
                    job.sourceSizeBytes += sizeOf(file);
                }
            }
            spec.entries.push_back(std::move(job));
        }
    }
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

void VCliJobPlanner::refuseDestinations(const VAConversionSpec& spec, Result& result) const {
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
        // writes beside it and replaces it after a clean run, when overwriting is chosen.
        // Joins and copies read while writing, and another name for the same file escapes
        // that guard.
        const XStr* itself = nullptr;
        for (const XStr& source : sources) {
            const bool guarded = !entry.justCopy && sources.size() == 1 && source.equalsNoCase(to);
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
        }
    }
}

VCliJobPlanner::Result VCliJobPlanner::plan() const {
    Result result;
    XStrList files;
    std::string error;
    if (!mSources.expand(mOptions.files, files, error, &result.notes)) {
        result.exitCode = 2;
        result.messages.push_back(error);
        return result;
    }

    auto spec = std::make_shared<VAConversionSpec>();
    XStr ext;
    std::unique_ptr<VMCConfig> config;
    VMCConfig::ProfilePtr profile;
    if (mOptions.profileMode()) {
        config = std::make_unique<VMCConfig>();
        if (!chooseProfile(*config, profile, *spec, result)) {
            result.exitCode = 2;
            return result;
        }
    } else if (!chooseEncoding(*spec, ext, result)) {
        result.exitCode = 2;
        return result;
    }
    result.spec = spec;
    if (files.empty()) {
        return result;
    }

    std::vector<VMCFileNaming> namings;
    if (profile) {
        namings = namingsOf(*config, *profile);
    } else {
        VMCFileNaming naming = mOptions.naming.makeNaming();
        naming.setEncoder(*spec->Encoder, spec->EncoderArgsV2);
        namings.push_back(naming);
    }
    // The folders the outputs go under, each checked once.
    std::vector<std::pair<std::size_t, bool>> outputs;
    std::set<XStr> seen;
    bool besideSources = false;
    for (std::size_t n = 0; n < namings.size(); ++n) {
        besideSources = besideSources || namings[n].fileNamingType() == VMCFileNaming::kSameFolder;
        const std::optional<XStr> output = outputFolder(namings[n]);
        if (!output || !seen.insert(*output).second) {
            continue;
        }
        bool create = false;
        if (!checkOutputFolder(*output, result, create)) {
            result.exitCode = 2;
            return result;
        }
        outputs.emplace_back(n, create);
    }
    if (besideSources) {
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

    if (profile) {
        planProfileOutputs(*config, *profile, files, *spec, result);
    } else {
        const auto extensionOf = [&](const XStr& source) {
            return mOptions.copy && !mOptions.ext ? XPath::extension(source) : ext;
        };
        // A join is named after its first file.
        result.destinations = VCliDestinations::name(
            namings.front(), mOptions.join ? XStrList{files.front()} : files, extensionOf);
        for (const VCliDestinations::Named& named : result.destinations) {
            if (!named.destination) {
                result.unnamed.push_back("Cannot name the output of " + quoted(named.source) +
                                         ": " + named.problem);
            }
        }
        if (mOptions.join) {
            if (const std::optional<XStr>& to = result.destinations.front().destination) {
                auto concat = std::make_shared<VAConvertSourceConcat>();
                concat->setConcatURLs(files);
                VAConversionEntry entry;
                entry.convertFrom = concat;
                entry.urlTo = *to;
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
                entry.sourceSizeBytes = sizeOf(named.source);
                spec->entries.push_back(std::move(entry));
            }
        }
    }

    refuseDestinations(*spec, result);
    if (!result.messages.empty()) {
        result.exitCode = 1;
        return result;
    }
    // A dry run goes on to show every command.
    result.planned = true;
    if (mOptions.dryRun) {
        return result;
    }
    for (const auto& [n, create] : outputs) {
        XStr why;
        if (!namings[n].prepareFolder(&why)) {
            result.messages.push_back(
                std::string(create ? "Cannot create output folder " : "Cannot use output folder ") +
                quoted(namings[n].destination().url()) + ": " + why.utf8());
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
