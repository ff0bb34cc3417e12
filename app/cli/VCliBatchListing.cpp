#include "VCliBatchListing.h"

#include <algorithm>

#include "VADisplayText.h"
#include "VCliJsonObject.h"
#include "VCliProbeList.h"
#include "VMCTableColumns.h"

namespace VCliBatchListing {

bool needsInfo(const XStr& column) {
    static const XStrList kOwn = {"Name",          "Folder",       "Size",         "Type",
                                  "Date Modified", "Date Created", "Date Accessed"};
    return std::find(kOwn.begin(), kOwn.end(), column) == kOwn.end();
}

namespace {

// Reads the information of the files that have none yet, several at once.
void loadInfo(const std::vector<std::shared_ptr<clFileListEntry>>& files) {
    std::vector<std::shared_ptr<clFileListEntry>> missing;
    XStrList urls;
    for (const auto& file : files) {
        if (!file->info()) {
            missing.push_back(file);
            urls.push_back(file->url());
        }
    }
    if (urls.empty()) {
        return;
    }
    const std::vector<VCliProbeList::Probed> probed = VCliProbeList::probeAll(urls);
    for (std::size_t i = 0; i < probed.size(); ++i) {
        if (probed[i].info) {
            missing[i]->refreshWithURL(urls[i], missing[i]->formatName(), probed[i].info);
        }
    }
}

// Display width in characters (each code unit one).
std::size_t widthOf(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) {
        n += (c & 0xC0) != 0x80 ? 1 : 0;
    }
    return n;
}

}  // namespace

void print(const std::vector<std::shared_ptr<clFileListEntry>>& files, const XStrList& columns,
           bool json, std::ostream& out) {
    if (std::any_of(columns.begin(), columns.end(), needsInfo)) {
        loadInfo(files);
    }
    if (json) {
        for (const auto& file : files) {
            VCliJsonObject object;
            object.add("path", file->url());
            for (const XStr& column : columns) {
                object.add(column.utf8().c_str(), file->attribByName(column).stringValue());
            }
            out << object.str() << '\n';
        }
        out.flush();
        return;
    }
    if (columns.empty()) {
        for (const auto& file : files) {
            out << VADisplayText::utf8(file->url()) << '\n';
        }
        out.flush();
        return;
    }
    std::vector<std::vector<std::string>> rows;
    std::vector<std::size_t> widths;
    std::vector<std::string> header;
    for (const XStr& column : columns) {
        header.push_back(column.utf8());
        widths.push_back(widthOf(header.back()));
    }
    rows.push_back(header);
    for (const auto& file : files) {
        std::vector<std::string> row;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            row.push_back(VADisplayText::utf8(file->attribByName(columns[c]).stringValue()));
            widths[c] = std::max(widths[c], widthOf(row.back()));
        }
        rows.push_back(std::move(row));
    }
    const VMCTableColumns catalogue({}, true, XStr(), nullptr);
    for (const std::vector<std::string>& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            const VMCTableColumn* column = catalogue.column(columns[c]);
            const std::string pad(widths[c] - widthOf(row[c]), ' ');
            const bool last = c + 1 == row.size();
            if (column != nullptr && column->rightAligned) {
                line += pad + row[c];
            } else {
                line += row[c] + (last ? std::string() : pad);
            }
            if (!last) {
                line += "  ";
            }
        }
        out << line << '\n';
    }
    out.flush();
}

}  // namespace VCliBatchListing
