// "vantaro ffmpeg" and "vantaro --version --check" against servers on the loopback
// interface (the settings point the program there; nothing else is ever contacted): a
// downloaded build installed and converting, archives that reach outside refused without
// changing anything, an interrupted download, and the version check.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "CliE2E.h"
#include "LoopbackServer.h"
#include "StalledRequest.h"
#include "XClock.h"

namespace {

class FFmpegE2E : public CliE2E {
protected:
    void SetUp() override {
        CliE2E::SetUp();
        for (const char* folder : {"bin", "pack", "pack/bin", "evil", "evil/bin", "outside"}) {
            ASSERT_EQ(mkdir(mDir.file(folder).c_str(), 0755), 0);
        }
        mSource = clip("a.mov", 1);
        // The internal FFmpeg cannot convert anything: a conversion that works is done by
        // the installed one. ffprobe is the system's.
        writeExecutable(mDir.file("bin/ffmpeg"), "#!/bin/sh\nexit 1\n");
        ASSERT_EQ(symlink(XFindProgram("ffprobe").utf8().c_str(), mDir.file("bin/ffprobe").c_str()),
                  0);
        mPath = std::make_unique<ScopedEnv>(
            "PATH", (mDir.file("bin") + ":" + std::string(getenv("PATH"))).c_str());
        // A build as the server offers it: the system's FFmpeg as bin/ffmpeg.
        ASSERT_EQ(runProgram({"/bin/cp", mFFmpeg, mDir.file("pack/bin/ffmpeg")}), 0);
        ASSERT_EQ(
            runProgram({tar(), "-C", mDir.file("pack"), "-cjf", mDir.file("build.tar.bz2"), "bin"}),
            0);
    }
    static std::string tar() { return XFindProgram("tar").utf8(); }
    std::string data(const std::string& name) const {
        return mDir.file("appdata/VantaroVideo/" + name);
    }
    // Points the program at the server; its answers come from the handler.
    void useServer(const LoopbackServer& server) {
        CliProcess a;
        CliProcess b;
        ASSERT_EQ(vantaro({"settings", "set", "WebServerHost",
                           "127.0.0.1:" + std::to_string(server.port())},
                          a),
                  0)
            << a.err;
        ASSERT_EQ(vantaro({"settings", "set", "WebServerScheme", "http"}, b), 0) << b.err;
    }
    std::string primaryPath() const {
        std::string machine;
        runProgram({"/bin/uname", "-m"}, &machine);
        return "/install/ffmpeg-linux-" + machine.substr(0, machine.find('\n')) +
               "-vavideo.tar.bz2";
    }
    // Serves the file at the build's path (the primary one), 404 elsewhere.
    LoopbackServer::Handler serving(const std::string& file) {
        return [this, bytes = readTextFile(file)](LoopbackServer::Connection& c) {
            const std::string target = LoopbackServer::targetOf(c.readRequestHead());
            c.write(target == primaryPath() ? LoopbackServer::response(200, bytes)
                                            : LoopbackServer::response(404, ""));
        };
    }

    std::unique_ptr<ScopedEnv> mPath;
    std::string mSource;
};

TEST_F(FFmpegE2E, ADownloadedBuildIsInstalledConvertsAndIsReverted) {
    LoopbackServer server(serving(mDir.file("build.tar.bz2")));
    useServer(server);
    CliProcess install;
    ASSERT_EQ(vantaro({"ffmpeg", "install", "--download"}, install), 0) << install.err;
    EXPECT_EQ(
        install.out.rfind("FFmpeg:       " + data("ffmpeg") + " (installed by download)\n", 0), 0u)
        << install.out;
    EXPECT_NE(install.out.find("\nGPL encoders: offered\n"), std::string::npos) << install.out;
    ASSERT_EQ(server.requestHeads().size(), 1u);
    EXPECT_EQ(LoopbackServer::targetOf(server.requestHeads()[0]), primaryPath());
    EXPECT_EQ(LoopbackServer::headerOf(server.requestHeads()[0], "User-Agent"), "Vantaro");
    EXPECT_TRUE(readTextFile(data("ffmpeg")) == readTextFile(mFFmpeg));
    EXPECT_EQ(permissionsOf(data("ffmpeg")) & 0111, 0111u);
    EXPECT_TRUE(fileExists(data("ffmpeg.auto")));
    // The downloaded archive and the unpacked build are gone.
    EXPECT_EQ(folderEntries(tmp()), std::vector<std::string>{});

    const std::string& source = mSource;
    const std::string out = mDir.file("out");
    CliProcess dry;
    ASSERT_EQ(vantaro({"convert", "--dry-run=text", "-o", out, "--encoder-args",
                       "-c:v libx264 -preset ultrafast -c:a aac", source},
                      dry),
              0)
        << dry.err;
    EXPECT_EQ(dry.out.rfind(q(data("ffmpeg")) + " ", 0), 0u) << dry.out;
    CliProcess convert;
    ASSERT_EQ(vantaro({"convert", "-o", out, "--encoder-args",
                       "-c:v libx264 -preset ultrafast -c:a aac", source},
                      convert),
              0)
        << convert.out << convert.err;
    EXPECT_EQ(probeValue(out + "/a.mp4", "v:0", "codec_name"), "h264");

    CliProcess revert;
    ASSERT_EQ(vantaro({"ffmpeg", "revert"}, revert), 0) << revert.err;
    EXPECT_EQ(revert.out.rfind("FFmpeg:       " + mDir.file("bin/ffmpeg") + " (internal)\n", 0), 0u)
        << revert.out;
    EXPECT_FALSE(fileExists(data("ffmpeg")));
    EXPECT_FALSE(fileExists(data("ffmpeg.auto")));
    // Back to the internal FFmpeg, which converts nothing.
    CliProcess again;
    EXPECT_EQ(
        vantaro({"convert", "-o", mDir.file("out2"), "--encoder-args", "-c:v libx264", source},
                again),
        1);
}

TEST_F(FFmpegE2E, ArchivesReachingOutsideAreRefusedAndChangeNothing) {
    // "../" members, and a link member pointing outside with a member written through it.
    writeTextFile(mDir.file("evil/payload"), "would escape");
    writeExecutable(mDir.file("evil/bin/ffmpeg"), "#!/bin/sh\nexit 0\n");
    ASSERT_EQ(runProgram({tar(), "-C", mDir.file("evil"), "-czPf", mDir.file("dotdot.tar.gz"),
                          "bin", "../evil/payload"}),
              0);
    ASSERT_EQ(symlink(mDir.file("outside").c_str(), mDir.file("evil/link").c_str()), 0);
    ASSERT_EQ(runProgram({tar(), "-C", mDir.file("evil"), "-czf", mDir.file("link.tar.gz"), "bin",
                          "link"}),
              0);
    // A member "link/payload" after the link: written through it, it would land outside.
    ASSERT_EQ(runProgram({tar(), "-C", mDir.file("evil"), "-cf", mDir.file("through.tar"), "link",
                          "--transform", "s,^payload$,link/payload,", "payload"}),
              0);
    ASSERT_EQ(runProgram({"/bin/gzip", "-k", mDir.file("through.tar")}), 0);

    // What was installed before: a chosen build.
    ASSERT_EQ(mkdir(mDir.file("chosen").c_str(), 0755), 0);
    ASSERT_EQ(runProgram({"/bin/cp", mFFmpeg, mDir.file("chosen/ffmpeg")}), 0);
    CliProcess chosen;
    ASSERT_EQ(vantaro({"ffmpeg", "install", mDir.file("chosen/ffmpeg")}, chosen), 0) << chosen.err;
    EXPECT_NE(chosen.out.find("(installed from a chosen file)"), std::string::npos);
    const timespec installedAt = modifiedTime(data("ffmpeg"));

    struct Row {
        const char* archive;
        const char* why;
    };
    for (const Row& row :
         {Row{"dotdot.tar.gz", "a member outside its folder: '../evil/payload'"},
          Row{"link.tar.gz", "a link that points outside its folder: 'link'"},
          Row{"through.tar.gz", "a link that points outside its folder: 'link'"}}) {
        CliProcess p;
        EXPECT_EQ(vantaro({"ffmpeg", "install", mDir.file(row.archive)}, p), 1) << row.archive;
        EXPECT_EQ(p.out, "") << row.archive;
        EXPECT_NE(
            p.err.find(std::string("vantaro: FFmpeg could not be installed. The archive has ") +
                       row.why),
            std::string::npos)
            << p.err;
    }
    // The same refused when it comes from the server.
    ASSERT_EQ(runProgram({tar(), "-C", mDir.file("evil"), "-cjPf", mDir.file("dotdot.tar.bz2"),
                          "bin", "../evil/payload"}),
              0);
    LoopbackServer server(serving(mDir.file("dotdot.tar.bz2")));
    useServer(server);
    CliProcess download;
    EXPECT_EQ(vantaro({"ffmpeg", "install", "--download"}, download), 1);
    EXPECT_NE(download.err.find("'../evil/payload'"), std::string::npos) << download.err;
    EXPECT_EQ(server.accepted(), 1);

    // Nothing changed: the chosen build, no marker, nothing outside, nothing left over.
    EXPECT_TRUE(readTextFile(data("ffmpeg")) == readTextFile(mFFmpeg));
    const timespec now = modifiedTime(data("ffmpeg"));
    EXPECT_EQ(now.tv_sec, installedAt.tv_sec);
    EXPECT_EQ(now.tv_nsec, installedAt.tv_nsec);
    EXPECT_FALSE(fileExists(data("ffmpeg.auto")));
    EXPECT_EQ(folderEntries(mDir.file("outside")), std::vector<std::string>{});
    EXPECT_FALSE(fileExists(mDir.path() + "/payload"));
    EXPECT_EQ(folderEntries(tmp()), std::vector<std::string>{});
    CliProcess show;
    ASSERT_EQ(vantaro({"ffmpeg"}, show), 0);
    EXPECT_NE(show.out.find("(installed from a chosen file)"), std::string::npos) << show.out;
}

TEST_F(FFmpegE2E, AnInterruptCancelsTheDownload) {
    StalledRequest stalled;
    LoopbackServer server(stalled.handler());
    useServer(server);
    CliProcess p;
    ASSERT_TRUE(p.start({"ffmpeg", "install", "--download"}));
    stalled.waitUntilArrived();
    ASSERT_EQ(kill(p.pid(), SIGINT), 0);
    EXPECT_EQ(p.wait(120000), 128 + SIGINT) << p.err;
    EXPECT_FALSE(fileExists(data("ffmpeg")));
    EXPECT_EQ(folderEntries(tmp()), std::vector<std::string>{});
}

TEST_F(FFmpegE2E, TheVersionCheckFindsItsRecord) {
    CliProcess plain;
    ASSERT_EQ(vantaro({"--version"}, plain), 0);
    const std::string ours = plain.out.substr(8, plain.out.size() - 9);
    std::mutex mutex;
    std::string list;
    LoopbackServer server([&](LoopbackServer::Connection& c) {
        const std::string target = LoopbackServer::targetOf(c.readRequestHead());
        std::lock_guard<std::mutex> lock(mutex);
        c.write(target == "/beta/prog_versions.txt" && !list.empty()
                    ? LoopbackServer::response(200, list)
                    : LoopbackServer::response(404, ""));
    });
    useServer(server);
    const auto serve = [&](const std::string& text) {
        std::lock_guard<std::mutex> lock(mutex);
        list = text;
    };
    struct Row {
        std::string list;
        int status;
        std::string out;
        std::string err;
    };
    const Row rows[] = {
        {"Other\n1\nhttp://o\nVANTARO VIDEO CONVERTER LINUX\n99.0\nhttp://get/it\n", 0,
         "update to 99.0: http://get/it\n", ""},
        {"Vantaro Video Converter Linux\r\n" + ours + "\r\nhttp://get\r\n", 0,
         "This is the current version.\n", ""},
        {"Vantaro Video Converter Linux\n\x1b[2J\nhttp://get\n", 0,
         "update to \\033[2J: http://get\n", ""},
        {"", 1, "",
         "vantaro: The current version could not be learned from 'http://127.0.0.1:" +
             std::to_string(server.port()) + "'\n"},
    };
    for (const Row& row : rows) {
        serve(row.list);
        CliProcess p;
        EXPECT_EQ(vantaro({"--version", "--check"}, p), row.status) << row.list;
        EXPECT_EQ(p.out, plain.out + row.out) << row.list;
        EXPECT_EQ(p.err, row.err) << row.list;
    }
    // Told to stay off the internet, it asks nobody.
    const int before = server.accepted();
    CliProcess off;
    ASSERT_EQ(vantaro({"settings", "set", "NoInternetForVA", "1"}, off), 0);
    CliProcess p;
    EXPECT_EQ(vantaro({"--version", "--check"}, p), 1);
    EXPECT_EQ(p.err,
              "vantaro: Not checked: the setting 'NoInternetForVA' keeps the program off the "
              "internet\n");
    EXPECT_EQ(server.accepted(), before);
}

TEST_F(FFmpegE2E, UsageErrors) {
    const std::vector<std::vector<std::string>> lines = {
        {"ffmpeg", "frob"},
        {"ffmpeg", "install"},
        {"ffmpeg", "install", "a", "b"},
        {"ffmpeg", "install", "a", "--download"},
        {"ffmpeg", "--download"},
        {"ffmpeg", "revert", "x"},
        {"--check"},
        {"--version", "--bogus"},
    };
    for (const std::vector<std::string>& line : lines) {
        CliProcess p;
        EXPECT_EQ(vantaro(line, p), 2) << line.back();
        EXPECT_EQ(p.out, "");
        EXPECT_EQ(p.err.rfind("vantaro: ", 0), 0u) << p.err;
    }
    EXPECT_FALSE(fileExists(data("ffmpeg")));
}

}  // namespace
