#include "VAGlobalOptions.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <thread>

#include "VAAppDataFolder.h"
#include "XFile.h"
#include "XPath.h"
#include "XRegistry.h"

namespace {

// In stored order: the ID3v1 genres, then three of our own.
const char* const kGenres[] = {"Blues",
                               "Classic Rock",
                               "Country",
                               "Dance",
                               "Disco",
                               "Funk",
                               "Grunge",
                               "Hip-Hop",
                               "Jazz",
                               "Metal",
                               "New Age",
                               "Oldies",
                               "Other",
                               "Pop",
                               "R&B",
                               "Rap",
                               "Reggae",
                               "Rock",
                               "Techno",
                               "Industrial",
                               "Alternative",
                               "Ska",
                               "Death Metal",
                               "Pranks",
                               "Soundtrack",
                               "Euro-Techno",
                               "Ambient",
                               "Trip-Hop",
                               "Vocal",
                               "Jazz+Funk",
                               "Fusion",
                               "Trance",
                               "Classical",
                               "Instrumental",
                               "Acid",
                               "House",
                               "Game",
                               "Sound Clip",
                               "Gospel",
                               "Noise",
                               "AlternRock",
                               "Bass",
                               "Soul",
                               "Punk",
                               "Space",
                               "Meditative",
                               "Instrumental Pop",
                               "Instrumental Rock",
                               "Ethnic",
                               "Gothic",
                               "Darkwave",
                               "Techno-Industrial",
                               "Electronic",
                               "Pop-Folk",
                               "Eurodance",
                               "Dream",
                               "Southern Rock",
                               "Comedy",
                               "Cult",
                               "Gangsta",
                               "Top 40",
                               "Christian Rap",
                               "Pop/Funk",
                               "Jungle",
                               "Native American",
                               "Cabaret",
                               "New Wave",
                               "Psychadelic",
                               "Rave",
                               "Showtunes",
                               "Trailer",
                               "Lo-Fi",
                               "Tribal",
                               "Acid Punk",
                               "Acid Jazz",
                               "Polka",
                               "Retro",
                               "Musical",
                               "Rock & Roll",
                               "Hard Rock",
                               "Folk",
                               "Folk-Rock",
                               "National Folk",
                               "Swing",
                               "Fast Fusion",
                               "Bebob",
                               "Latin",
                               "Revival",
                               "Celtic",
                               "Bluegrass",
                               "Avantgarde",
                               "Gothic Rock",
                               "Progressive Rock",
                               "Psychedelic Rock",
                               "Symphonic Rock",
                               "Slow Rock",
                               "Big Band",
                               "Chorus",
                               "Easy Listening",
                               "Acoustic",
                               "Humour",
                               "Speech",
                               "Chanson",
                               "Opera",
                               "Chamber Music",
                               "Sonata",
                               "Symphony",
                               "Booty Bass",
                               "Primus",
                               "Porn Groove",
                               "Satire",
                               "Slow Jam",
                               "Club",
                               "Tango",
                               "Samba",
                               "Folklore",
                               "Ballad",
                               "Power Ballad",
                               "Rhythmic Soul",
                               "Freestyle",
                               "Duet",
                               "Punk Rock",
                               "Drum Solo",
                               "Acapella",
                               "Euro-House",
                               "Dance Hall",
                               "Undefined",
                               "[No Genre]"};

// The genres file's bytes are the user's; a larger file is not a list of genres.
constexpr int64_t kMaxGenresBytes = 1 << 20;

void writeGenresWhenMissing(const XStr& path) {
    XFile probe;
    if (probe.Open(path, XFile::Access::kReadOnly, XFile::kOpenExisting | XFile::kNoLock)) {
        return;
    }
    const std::string text = XStr::join(VAGlobalOptions::hardcodedGenres(), "\n").utf8();
    // Never over a file that appeared meanwhile: the user's edits win.
    XFile file;
    if (file.Open(path, XFile::Access::kReadWrite, XFile::kCreateNew | XFile::kNoLock)) {
        file.Write(text.data(), text.size());
    }
}

}  // namespace

bool VAGlobalOptions::allowInterentAccess() {
    return XRegistry::GetDWORD(kValueNoInternet) == 0;
}

const XStrList& VAGlobalOptions::standardMetaFields() {
    static const XStrList kFields = {
        "Artist",     "Album",        "Title",         "Track",       "Genre",
        "Year",       "Comment",      "Album Artist",  "Band",        "Disc",
        "Rating",     "Tempo",        "Chorus",        "Composer",    "Conductor",
        "Instrument", "Label",        "Orchestra",     "Period",      "Soloists",
        "Copyright",  "Compilation",  "ISRC",          "Lyrics",      "Mood",
        "Style",      "Subtitle",     "UPC",           "Artist Sort", "Album Artist Sort",
        "Album Sort", "ComposerSort", "ConductorSort", "Title Sort"};
    return kFields;
}

XStrList VAGlobalOptions::hardcodedGenres() {
    XStrList genres(std::begin(kGenres), std::end(kGenres));
    std::stable_sort(genres.begin(), genres.end(),
                     [](const XStr& a, const XStr& b) { return a.compareNoCase(b) < 0; });
    return genres;
}

XStr VAGlobalOptions::pathInProfile(const XStr& fileName) {
    return XPath::join(VAAppDataFolder::path(), fileName);
}

XStrList VAGlobalOptions::standardGenres() {
    const XStr path = pathInProfile(kGenresFile);
    static std::once_flag once;
    std::call_once(once, [&path] {
        if (VAAppDataFolder::ensureExists()) {
            writeGenresWhenMissing(path);
        }
    });
    XFile file;
    std::string bytes;
    if (!file.Open(path, XFile::Access::kReadOnly,
                   XFile::kOpenExisting | XFile::kNoLock | XFile::kRegularOnly) ||
        !file.ReadAll(bytes, kMaxGenresBytes)) {
        return {};
    }
    return XStr(bytes).split(U'\n');
}

uint32_t VAGlobalOptions::numCPUs() {
    return numThreads();
}

uint32_t VAGlobalOptions::numThreads() {
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : n;
}
