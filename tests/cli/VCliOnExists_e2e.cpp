// Outputs that exist already, for each --on-exists choice and each answer on a terminal:
// nothing is replaced unless asked, and skipped outputs count neither as converted nor as
// failed.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "CliE2E.h"

namespace {

constexpr const char* kQuestion = "or cancel (c)? ";

// The program with a terminal for its input and both outputs, the first question answered;
// everything it wrote in output. The exit status, or -1.
int runOnTerminal(const std::vector<std::string>& args, const std::string& answer,
                  std::string& output) {
    std::vector<std::string> words = {VANTARO_CLI_PATH};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) {
        argv.push_back(w.data());
    }
    argv.push_back(nullptr);
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0) {
        return -1;
    }
    bool answered = false;
    const uint32_t start = XClock::nowMs();
    for (;;) {
        pollfd p{master, POLLIN, 0};
        if (XClock::elapsedMs(start) > 120000) {
            kill(pid, SIGKILL);
            break;
        }
        if (poll(&p, 1, 100) <= 0) {
            continue;
        }
        char buffer[4096];
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) {
            break;  // the terminal's other side is closed: the program has ended
        }
        output.append(buffer, static_cast<std::size_t>(n));
        if (!answered && output.find(kQuestion) != std::string::npos) {
            answered = true;
            const std::string line = answer + "\n";
            EXPECT_EQ(write(master, line.data(), line.size()), static_cast<ssize_t>(line.size()));
        }
    }
    close(master);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class OnExistsE2E : public CliE2E {
protected:
    // The outputs of b.mov with the date in their names.
    std::vector<std::string> renamed() const {
        std::vector<std::string> found;
        for (const auto& e : std::filesystem::directory_iterator(mDir.file("in"))) {
            const std::string name = e.path().filename().string();
            if (name.rfind("b - ", 0) == 0 && name.size() > 8 &&
                name.compare(name.size() - 4, 4, ".mp4") == 0) {
                found.push_back(e.path().string());
            }
        }
        return found;
    }
};

}  // namespace

TEST_F(OnExistsE2E, EveryChoiceAndEveryAnswer) {
    const std::string a = clip("a.mov", 1);
    const std::string b = clip("b.mov", 1);
    const std::string aOut = mDir.file("in/a.mp4");
    const std::string bOut = mDir.file("in/b.mp4");
    enum class Outcome { kKept, kReplaced, kRenamed, kNothing };
    struct Case {
        const char* what;
        std::vector<std::string> options;
        const char* answer;  // nullptr: no terminal
        int exitCode;
        Outcome outcome;
        const char* said;  // what the program says about it, on either output
    };
    const Case cases[] = {
        {"no choice, no terminal",
         {},
         nullptr,
         0,
         Outcome::kKept,
         "vantaro: 1 output exists already and is skipped; --on-exists overwrite or rename "
         "converts it\n"},
        {"skip",
         {"--on-exists", "skip"},
         nullptr,
         0,
         Outcome::kKept,
         "Converted 1 file to MP4 (copy, no encoding); 1 file skipped\n"},
        {"rename",
         {"--on-exists", "rename"},
         nullptr,
         0,
         Outcome::kRenamed,
         "Converted 2 files to MP4 (copy, no encoding)\n"},
        {"overwrite",
         {"--on-exists", "overwrite"},
         nullptr,
         0,
         Outcome::kReplaced,
         "Converted 2 files to MP4 (copy, no encoding)\n"},
        {"short form", {"--overwrite"}, nullptr, 0, Outcome::kReplaced, ""},
        {"asked: skip", {}, "s", 0, Outcome::kKept, "1 file skipped"},
        {"asked: overwrite", {}, "o", 0, Outcome::kReplaced, "Converted 2 files"},
        {"asked: rename", {}, "r", 0, Outcome::kRenamed, "Converted 2 files"},
        {"asked: cancel",
         {},
         "c",
         1,
         Outcome::kNothing,
         "vantaro: Cancelled; nothing was converted"},
        {"asked with --on-exists ask",
         {"--on-exists", "ask"},
         "skip",
         0,
         Outcome::kKept,
         "1 file skipped"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::remove(aOut.c_str());
        for (const std::string& r : renamed()) {
            std::remove(r.c_str());
        }
        writeTextFile(bOut, "keep me");
        std::vector<std::string> args = {"convert"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(a);
        args.push_back(b);
        std::string said;
        int status = -1;
        if (c.answer == nullptr) {
            CliProcess p;
            status = vantaro(args, p);
            said = p.out + p.err;
            EXPECT_EQ(p.err.find("exists already") != std::string::npos,
                      c.options.empty() && c.outcome == Outcome::kKept)
                << "only an unanswered question is reported";
        } else {
            status = runOnTerminal(args, c.answer, said);
            // Listed as the sheet shows it: without the extension.
            EXPECT_NE(said.find("This output exists already:\r\n  " +
                                bOut.substr(0, bOut.size() - 4) + "\r\n"),
                      std::string::npos)
                << said;
        }
        EXPECT_EQ(status, c.exitCode) << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        const bool replaced = readTextFile(bOut) != "keep me";
        EXPECT_EQ(replaced, c.outcome == Outcome::kReplaced);
        if (replaced) {
            EXPECT_EQ(probeValue(bOut, "v:0", "codec_name"), "h264");
        }
        EXPECT_EQ(renamed().size(), c.outcome == Outcome::kRenamed ? 1u : 0u);
        for (const std::string& r : renamed()) {
            EXPECT_EQ(probeValue(r, "v:0", "codec_name"), "h264") << r;
        }
        EXPECT_EQ(fileExists(aOut), c.outcome != Outcome::kNothing)
            << "the output that did not exist is made unless cancelled";
    }
}

TEST_F(OnExistsE2E, JsonCountsTheSkippedOutputsApart) {
    const std::string a = clip("a.mov", 1);
    writeTextFile(mDir.file("in/a.mp4"), "keep me");
    CliProcess p;
    EXPECT_EQ(vantaro({"convert", "--json", "--on-exists", "skip", a}, p), 0) << p.err;
    const std::vector<json> all = events(p);
    ASSERT_FALSE(all.empty());
    const json& done = all.back();
    EXPECT_EQ(done.at("event"), "done");
    EXPECT_EQ(done.at("ok"), true);
    EXPECT_EQ(done.at("jobs"), 0);
    EXPECT_EQ(done.at("failed"), 0);
    EXPECT_EQ(done.at("skipped"), 1);
    EXPECT_EQ(readTextFile(mDir.file("in/a.mp4")), "keep me");
}
