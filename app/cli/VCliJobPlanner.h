// Turns the options of "vantaro convert" into a conversion: the sources, one job for each,
// and the refusals that keep anything from being overwritten by surprise. Where each output
// goes is the naming object's answer (VCliDestinations); what is decided here is only what
// to do about outputs that exist or that two jobs would share. Nothing is started here; the
// destination folder is prepared only once every check has passed.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "VAConversionSpec.h"
#include "VASourceList.h"
#include "VCliConvertOptions.h"
#include "VCliDestinations.h"
#include "VMCConfig.h"

class VCliJobPlanner {
public:
    struct Result {
        // 0 when the conversion can start; 1 when a destination is refused; 2 for a
        // source, a profile or an output folder that cannot be used.
        int exitCode = 0;
        std::vector<std::string> messages;
        std::shared_ptr<VAConversionSpec> spec;
        // Every job has its destination: a dry run can show every command.
        bool planned = false;
        // Destinations that exist already, in job order; what becomes of them is the
        // command's choice (--on-exists).
        XStrList existing;
        // Each source named (for a join, the first), in order, with its destination or
        // why it has none.
        std::vector<VCliDestinations::Named> destinations;
        // Sources left out of the conversion because their output cannot be named: each
        // fails on its own, the others are converted.
        std::vector<std::string> unnamed;
        // What was left out of the folders given (files that are no media).
        std::vector<std::string> notes;
    };

    explicit VCliJobPlanner(VCliConvertOptions options);
    void setFolderLister(VASourceList::FolderLister lister);

    Result plan() const;

    static constexpr const char* kEncoderName = "[Custom FFmpeg settings]";
    static constexpr const char* kDefaultExt = ".mp4";

private:
    // The conversion's encoder, its effects and the outputs' extension, through the pages
    // when the options name an encoder or effects.
    bool chooseEncoding(VAConversionSpec& spec, XStr& ext, Result& result) const;
    // The profile of the options (or the active one) with their changes, in memory unless
    // they are to be saved; its encoder, arguments and effects go into the conversion.
    bool chooseProfile(VMCConfig& config, VMCConfig::ProfilePtr& profile, VAConversionSpec& spec,
                       Result& result) const;
    // One job per source and encoder of the profile, placed by the destination check.
    void planProfileOutputs(const VMCConfig& config, const VMCProfile& profile,
                            const XStrList& files, VAConversionSpec& spec, Result& result) const;
    // Every naming the outputs are placed by: the profile's, or each multi-encoder entry's.
    static std::vector<VMCFileNaming> namingsOf(const VMCConfig& config, const VMCProfile& profile);
    bool checkOutputFolder(const XStr& folder, Result& result, bool& create) const;
    // The folder every output goes under, when it is one the outputs' folders are made in
    // (not "/", under which a template rebuilds the sources' own folders).
    static std::optional<XStr> outputFolder(const VMCFileNaming& naming);
    // Refusals go into the result's messages; each output that exists into its list.
    void refuseDestinations(const VAConversionSpec& spec, Result& result) const;
    // Why a job cannot write its output: it is the source, or one of the joined files,
    // under this or another name.
    static std::string ownSourceMessage(const VAConversionEntry& entry, const XStr& source,
                                        bool joined);

    VCliConvertOptions mOptions;
    VASourceList mSources;
};
