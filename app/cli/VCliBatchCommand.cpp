#include "VCliBatchCommand.h"

#include "VADisplayText.h"
#include "VCliBatchListing.h"
#include "VCliConvertCommand.h"
#include "VCliProbeList.h"
#include "VCliText.h"
#include "VCliUsage.h"
#include "VMCBatchConverterProfile.h"
#include "VMCBatchSelection.h"
#include "VMCFileListGrabber.h"

namespace VCliBatchCommand {

const std::vector<VCliOptionDef>& options() {
    return VCliBatchOptions::table();
}

bool selectionOf(const VCliBatchOptions& options, Selection& out, std::string& error) {
    out = Selection();
    if (options.batchProfile) {
        const XStrList names = VMCBatchConverterProfile::listProfileNames();
        if (std::find(names.begin(), names.end(), *options.batchProfile) == names.end()) {
            error = "No batch profile named " + VCliText::quoted(*options.batchProfile);
            return false;
        }
        const auto profile = VMCBatchConverterProfile::profileByName(*options.batchProfile);
        profile->getFilters(out.stored);
        if (profile->selection()) {
            out.selection = *profile->selection();
        }
    }
    VMCBatchSelection::addLocations(out.selection, options.folders, options.recursive,
                                    options.files);
    for (const auto& [field, values] : options.excludes) {
        VMCFileFilter::ValueSet all = values;
        if (const VMCFileFilter::ValueSet* had = out.stored.filterForMeta(field)) {
            // One day count: the one given now.
            if (field != VMCFileFilter::kDate) {
                all.insert(had->begin(), had->end());
            }
        }
        out.stored.setFilterMeta(field, all);
    }
    out.filter = out.stored;
    for (const auto& [field, values] : options.only) {
        out.filter.setOnly(field, values);
    }
    return true;
}

namespace {

std::vector<std::shared_ptr<clFileListEntry>> collectWith(const XPropertyDictionary& selection,
                                                          const VMCFileFilter& filter) {
    auto globals = std::make_shared<folderListGlobals>(std::weak_ptr<clFolderListOwner>(),
                                                       VAMediaFormatFilter::allFormats());
    globals->setFileFilter(filter);
    const std::vector<clFolderListEntry::Ptr> roots =
        VMCBatchSelection::makeRoots(selection, globals);
    return VMCFileListGrabber::collect(roots, false).files;
}

}  // namespace

std::vector<std::shared_ptr<clFileListEntry>> collect(const Selection& selection) {
    if (selection.filter.needsProbe()) {
        // The candidates are probed several at once first; the collection then finds their
        // records in the probe cache instead of probing one file after another.
        VMCFileFilter byName;
        byName.setFilterMeta(VMCFileFilter::kFileTypes,
                             selection.filter.filterForMeta(VMCFileFilter::kFileTypes)
                                 ? *selection.filter.filterForMeta(VMCFileFilter::kFileTypes)
                                 : VMCFileFilter::ValueSet());
        XStrList candidates;
        for (const auto& file : collectWith(selection.selection, byName)) {
            candidates.push_back(file->url());
        }
        VCliProbeList::probeAll(candidates);
    }
    return collectWith(selection.selection, selection.filter);
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        bool outIsTerminal) {
    VCliBatchOptions options;
    std::string error;
    if (!VCliBatchOptions::fromArgs(args, options, error)) {
        return VCliUsage::fail(err, error, "batch");
    }
    if (options.help) {
        out << VCliBatchOptions::helpText();
        return 0;
    }
    Selection selection;
    if (!selectionOf(options, selection, error)) {
        VCliUsage::error(err, error);
        return VCliUsage::kUsageError;
    }
    if (options.saveProfile) {
        auto profile = VMCBatchConverterProfile::newProfileNamed(*options.saveProfile);
        profile->setFilters(selection.stored);
        profile->setSelection(selection.selection);
        if (!profile->save()) {
            VCliUsage::error(
                err, "Cannot save the batch profile " + VCliText::quoted(*options.saveProfile));
            return 1;
        }
        if (!options.list) {
            out << "Saved the batch profile " << VCliText::quoted(*options.saveProfile) << '\n';
            return 0;
        }
    }

    const std::vector<std::shared_ptr<clFileListEntry>> files = collect(selection);
    if (options.list) {
        VCliBatchListing::print(files, options.columns, options.json, out);
        return 0;
    }
    VCliConvertOptions convert = options.convert;
    for (const auto& file : files) {
        convert.files.push_back(file->url());
    }
    if (convert.files.empty()) {
        VCliUsage::error(err, "No media files selected");
        return 0;
    }
    return VCliConvertCommand::runWithOptions(convert, out, err, outIsTerminal);
}

}  // namespace VCliBatchCommand
