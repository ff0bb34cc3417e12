// "vantaro batch": collects the media files a selection of folders and files gives through
// the batch converter's folder tree and filters, then lists them or converts them as
// "vantaro convert" does; saves and reuses batch profiles.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "VCliBatchOptions.h"
#include "VCliOptionDef.h"
#include "XPropertyDictionary.h"
#include "clFileListEntry.h"

namespace VCliBatchCommand {

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        bool outIsTerminal);
const std::vector<VCliOptionDef>& options();

struct Selection {
    XPropertyDictionary selection;
    // The filter a saved profile keeps (--exclude and the profile's).
    VMCFileFilter stored;
    // With --only added, what this run lists.
    VMCFileFilter filter;
};
// The batch profile's selection and filters, then the options'; false with a message.
bool selectionOf(const VCliBatchOptions& options, Selection& out, std::string& error);
// Every selected media file that passes the filter, in tree order. Filters on media
// properties probe the candidates first, several at once, through the probe cache.
std::vector<std::shared_ptr<clFileListEntry>> collect(const Selection& selection);

}  // namespace VCliBatchCommand
