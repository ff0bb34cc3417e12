// Turns the options of "vantaro convert" into a conversion: the sources, one destination
// for each job, and the refusals that keep anything from being overwritten by surprise.
// Nothing is started here; the output folder is made only once every check has passed.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "VAConversionSpec.h"
#include "VCliConvertOptions.h"
#include "VCliSourceList.h"

class VCliJobPlanner {
public:
    struct Result {
        // 0 when the conversion can start; 1 when a destination is refused; 2 for a
        // source or an output folder that cannot be used.
        int exitCode = 0;
        std::vector<std::string> messages;
        std::shared_ptr<VAConversionSpec> spec;
        // Every job has its destination, and nothing but outputs that exist (refused
        // without --overwrite) stands in the way: a dry run can show every command.
        bool planned = false;
        // Destinations that exist already, in job order: replaced with --overwrite,
        // refused without.
        XStrList existing;
    };

    explicit VCliJobPlanner(VCliConvertOptions options);
    void setFolderLister(VCliSourceList::FolderLister lister);

    Result plan() const;

    static constexpr const char* kEncoderName = "[Custom FFmpeg settings]";
    static constexpr const char* kDefaultExt = ".mp4";

private:
    // The conversion's encoder, its effects and the outputs' extension, through the pages
    // when the options name an encoder or effects.
    bool chooseEncoding(VAConversionSpec& spec, XStr& ext, Result& result) const;
    bool checkOutputFolder(const XStr& folder, Result& result, bool& create) const;
    // Refusals go into the result's messages; each output that exists into its list, with
    // the refusal it meets without --overwrite in existing.
    void refuseDestinations(const VAConversionSpec& spec, Result& result,
                            std::vector<std::string>& existing) const;
    // Why a job cannot write its output: it is the source, or one of the joined files,
    // under this or another name.
    static std::string ownSourceMessage(const VAConversionEntry& entry, const XStr& source,
                                        bool joined);

    VCliConvertOptions mOptions;
    VCliSourceList mSources;
};
