#include "VCliWatchJournal.h"

#include <errno.h>
#include <sys/stat.h>

#include <algorithm>

#include "VAAppDataFolder.h"
#include "VCliText.h"
#include "XPath.h"

namespace {

constexpr int64_t kMaxJournalBytes = int64_t(256) << 20;

// FNV-1a: the same name for the same folders in every build.
uint64_t fnv1a(const std::string& bytes) {
    uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : bytes) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos) {
            return parts;
        }
        start = tab + 1;
    }
}

}  // namespace

std::string VCliWatchJournal::escape(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string VCliWatchJournal::unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

XStr VCliWatchJournal::journalPathFor(const XStrList& folders) {
    XStrList sorted = folders;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::string key;
    for (const XStr& folder : sorted) {
        key += folder.utf8() + '\n';
    }
    const XStr folder = XPath::join(VAAppDataFolder::path(), XStr(kFolderName));
    return XPath::join(
        folder, XStr::format("%016llx.journal", static_cast<unsigned long long>(fnv1a(key))));
}

bool VCliWatchJournal::open(const XStrList& folders, std::string& error) {
    mPath = journalPathFor(folders);
    const XStr folder = XPath::folderOf(mPath);
    if (!VAAppDataFolder::ensureExists() ||
        (mkdir(folder.utf8().c_str(), 0700) != 0 && errno != EEXIST)) {
        error = "Cannot make the folder " + VCliText::quoted(folder) +
                " for the journal: " + XErrnoText(errno).utf8();
        return false;
    }
    if (!mFile.Open(mPath, XFile::Access::kReadWrite,
                    XFile::kOpenAlways | XFile::kNoLock | XFile::kRegularOnly)) {
        error =
            "Cannot open the journal " + VCliText::quoted(mPath) + ": " + XErrnoText(errno).utf8();
        return false;
    }
    if (!mFile.Lock(XFile::Share::kExclusive, false)) {
        error = "Another 'vantaro watch' is watching these folders (its journal " +
                VCliText::quoted(mPath) + " is locked)";
        return false;
    }
    std::string text;
    if (!mFile.Seek(0, XFile::Origin::kStart) || !mFile.ReadAll(text, kMaxJournalBytes)) {
        error =
            "Cannot read the journal " + VCliText::quoted(mPath) + ": " + XErrnoText(errno).utf8();
        return false;
    }
    readRecords(text);
    // A torn last line is cut off, so that new records start on a line of their own.
    const std::size_t end = text.rfind('\n');
    const int64_t whole = end == std::string::npos ? 0 : static_cast<int64_t>(end + 1);
    if (whole != static_cast<int64_t>(text.size())) {
        mFile.Truncate(whole);
    }
    mFile.Seek(0, XFile::Origin::kEnd);
    return true;
}

void VCliWatchJournal::readRecords(const std::string& text) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            return;
        }
        const std::vector<std::string> parts = splitTabs(text.substr(start, end - start));
        start = end + 1;
        if (parts.size() != 4) {
            continue;
        }
        const XStr path(unescape(parts[3]));
        if (parts[0] == "O") {
            mOutputs.insert(path);
        } else if (parts[0] == "S" || parts[0] == "F") {
            mDone[path] = {XStr(parts[1]).toInt64(), XStr(parts[2]).toInt64()};
        }
    }
}

bool VCliWatchJournal::done(const XStr& source, const Identity& identity) const {
    const auto it = mDone.find(source);
    return it != mDone.end() && it->second == identity;
}

void VCliWatchJournal::addSource(const XStr& source, const Identity& identity, bool converted) {
    mDone[source] = identity;
    mPending += std::string(converted ? "S" : "F") + '\t' + std::to_string(identity.size) + '\t' +
                std::to_string(identity.modifiedNs) + '\t' + escape(source.utf8()) + '\n';
}

void VCliWatchJournal::addOutput(const XStr& output) {
    if (mOutputs.insert(output).second) {
        mPending += "O\t\t\t" + escape(output.utf8()) + '\n';
    }
}

bool VCliWatchJournal::flush() {
    if (mPending.empty()) {
        return true;
    }
    const bool ok = mFile.Write(mPending.data(), mPending.size()) && mFile.Sync();
    mPending.clear();
    return ok;
}
