// An install of the build into a fresh prefix: both programs, the desktop file that
// "Open With" and the menus read, its icon, and the resources; the installed desktop
// program runs from there.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>
#include <regex>
#include <sstream>

#include "MediaSupport.h"
#include "TestSupport.h"
#include "VMCCommandLine.h"
#include "VideoProgram.h"
#include "XFindProgram.h"

namespace {

// The keys of the desktop file's main group.
std::map<std::string, std::string> desktopEntry(const std::string& text) {
    std::map<std::string, std::string> keys;
    std::istringstream in(text);
    std::string line;
    bool inEntry = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
        } else if (inEntry && line.find('=') != std::string::npos) {
            keys[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
        }
    }
    return keys;
}

std::vector<std::string> listOf(const std::string& value) {
    std::vector<std::string> items;
    std::istringstream in(value);
    std::string item;
    while (std::getline(in, item, ';')) {
        items.push_back(item);
    }
    return items;
}

class VantaroVideoInstall : public ::testing::Test {
protected:
    void SetUp() override {
        std::string log;
        ASSERT_EQ(
            runProgram({VANTARO_CMAKE, "--install", VANTARO_BUILD_DIR, "--prefix", mPrefix}, &log),
            0)
            << log;
    }

    TestTempDir mDir;
    const std::string mPrefix = mDir.file("prefix");
    const std::string mDesktopFile = mPrefix + "/share/applications/vantaro-video.desktop";
};

TEST_F(VantaroVideoInstall, TheProgramsTheirDesktopFileAndIconAreInstalled) {
    for (const std::string& installed :
         {mPrefix + "/bin/vantaro", mPrefix + "/bin/vantaro-video", mDesktopFile,
          mPrefix + "/share/icons/hicolor/scalable/apps/vantaro-video.svg",
          mPrefix + "/share/vantaro/Scale Data"}) {
        struct stat st {};
        EXPECT_EQ(stat(installed.c_str(), &st), 0) << installed;
    }
    for (const char* program : {"vantaro", "vantaro-video"}) {
        EXPECT_EQ(access((mPrefix + "/bin/" + program).c_str(), X_OK), 0) << program;
    }

    const std::map<std::string, std::string> entry = desktopEntry(readTextFile(mDesktopFile));
    EXPECT_EQ(entry.at("Name"), "Vantaro Video Converter");
    EXPECT_EQ(entry.at("Exec"), "vantaro-video %F");
    EXPECT_EQ(entry.at("Icon"), "vantaro-video");
    EXPECT_EQ(entry.at("Categories"), "AudioVideo;Video;AudioVideoEditing;");
    const std::vector<std::string> types = listOf(entry.at("MimeType"));
    for (const char* type : {"video/mp4", "video/x-matroska", "video/quicktime", "video/webm",
                             "video/x-msvideo", "audio/mpeg", "audio/flac", "audio/x-wav"}) {
        EXPECT_NE(std::find(types.begin(), types.end(), type), types.end()) << type;
    }
    for (const std::string& type : types) {
        EXPECT_TRUE(type.rfind("video/", 0) == 0 || type.rfind("audio/", 0) == 0 ||
                    type.rfind("application/", 0) == 0)
            << type;
    }
    // An icon every desktop can draw: one SVG document of its own size.
    const std::string icon =
        readTextFile(mPrefix + "/share/icons/hicolor/scalable/apps/vantaro-video.svg");
    EXPECT_TRUE(std::regex_search(icon, std::regex("<svg[^>]* viewBox=\"0 0 128 128\"")));
    EXPECT_NE(icon.find("</svg>"), std::string::npos);
}

TEST_F(VantaroVideoInstall, TheDesktopFileIsValid) {
    const XStr validate = XFindProgram("desktop-file-validate");
    if (validate.empty()) {
        GTEST_SKIP() << "desktop-file-validate is not installed (scripts/install-deps.sh)";
    }
    const VideoProgramRun run = runVideoProgram(validate.utf8(), {mDesktopFile});
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(run.out + run.err, "") << "no hints or warnings either";
}

// The installed program starts from its prefix and shows its launcher.
TEST_F(VantaroVideoInstall, TheInstalledDesktopProgramRuns) {
    const ScopedEnv platform("QT_QPA_PLATFORM", "offscreen");
    const ScopedEnv data("_APPDATA_OVERRIDE", mDir.file("data").c_str());
    const ScopedEnv config("XDG_CONFIG_HOME", mDir.file("config").c_str());
    const ScopedEnv runtime("XDG_RUNTIME_DIR", mDir.path().c_str());
    const VideoProgramRun run =
        runVideoProgram(mPrefix + "/bin/vantaro-video", {VMCCommandLine::kReportStartOption});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::regex_match(run.out, std::regex("shown [0-9]+ Vantaro Video Converter\n"
                                                     "idle-rss-kb [0-9]+\n")))
        << run.out;
}

}  // namespace
