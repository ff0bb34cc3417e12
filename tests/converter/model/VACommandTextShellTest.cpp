// Arguments quoted for a POSIX shell, read back by real shells: what bash and sh hand to a
// command must be the argument's bytes exactly, and nothing in a name may run.
#include <gtest/gtest.h>
#include <unistd.h>

#include "RandomText.h"
#include "TestSupport.h"
#include "VACommandText.h"
#include "XWorkerProcess.h"

namespace {

using VACommandText::ShellLine;
using VACommandText::ShellQuote;

// The name a Latin-1 file name "lat\xe9.mp4" has as a text: its byte kept as U+DCE9.
XStr latin1Name() {
    return XStr(std::u32string(U"lat") + char32_t(0xDCE9) + U".mp4");
}

struct Case {
    XStr argument;
    // The quoted form, compared whole.
    const char* quoted;
    // What a shell must hand over.
    std::string bytes;
};

std::vector<Case> cases() {
    return {
        {"plain-name_1.mp4", "plain-name_1.mp4", "plain-name_1.mp4"},
        {"-leading-dash", "-leading-dash", "-leading-dash"},
        {"scale=640:-2,fps=30@x%", "scale=640:-2,fps=30@x%", "scale=640:-2,fps=30@x%"},
        {"", "''", ""},
        {"a b", "'a b'", "a b"},
        {"it's", "'it'\\''s'", "it's"},
        {"''", "''\\'''\\'''", "''"},
        {"$(touch pwned)", "'$(touch pwned)'", "$(touch pwned)"},
        {"`touch pwned`", "'`touch pwned`'", "`touch pwned`"},
        {"$HOME ~ *.mp4 {a,b} #c", "'$HOME ~ *.mp4 {a,b} #c'", "$HOME ~ *.mp4 {a,b} #c"},
        {"back\\slash\\", "'back\\slash\\'", "back\\slash\\"},
        {"caf\u00E9 \u6F22.mp4", "'caf\u00E9 \u6F22.mp4'", "caf\u00E9 \u6F22.mp4"},
        {"wow!", "'wow!'", "wow!"},
        {"two\nlines", "$'two\\nlines'", "two\nlines"},
        {"tab\there\r", "$'tab\\there\\r'", "tab\there\r"},
        {"\x1b[31mred\x1b[0m", "$'\\033[31mred\\033[0m'", "\x1b[31mred\x1b[0m"},
        {"$(touch pwned)\n`touch pwned`", "$'$(touch pwned)\\n`touch pwned`'",
         "$(touch pwned)\n`touch pwned`"},
        {"it's\n!\\", "$'it\\047s\\n\\041\\\\'", "it's\n!\\"},
        {latin1Name(), "$'lat\\351.mp4'", "lat\xe9.mp4"},
        {"csi\u009b", "$'csi\\302\\233'", "csi\xc2\x9b"},
        {"del\x7f", "$'del\\177'", "del\x7f"},
    };
}

// Runs the shell on the command line in a fresh folder; answers what printf wrote (each
// argument followed by a NUL) and whether the folder stayed empty.
struct ShellRun {
    int status = -1;
    std::string output;
    bool folderEmpty = false;
};

ShellRun runShell(const char* shell, const XStr& words) {
    TestTempDir dir;
    const XStr script = "cd " + ShellQuote(XStr(dir.path())) + " && printf '%s\\0' " + words;
    XWorkerProcess process;
    ShellRun run;
    if (!process.Create({shell, "-c", script}, XWorkerProcess::kPipeStdOut)) {
        return run;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(process.OutputFD(), buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        run.output.append(buffer, static_cast<std::size_t>(n));
    }
    run.status = process.Stop(XWorkerProcess::kWaitForever);
    run.folderEmpty = !fileExists(dir.file("pwned"));
    return run;
}

std::string nulJoined(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& part : parts) {
        out += part;
        out.push_back('\0');
    }
    return out;
}

// Whether this sh reads $'...' (POSIX.1-2024); an older one reads it as "$" and a quoted
// text, which is still safe but not exact.
bool shellReadsDollarQuotes(const char* shell) {
    return runShell(shell, "$'\\101'").output == nulJoined({"A"});
}

// The quoted form of each argument, compared whole: valid UTF-8 without control characters,
// so that it can be shown on a terminal as it is.
TEST(VACommandTextShellQuote, GoldenForms) {
    for (const Case& c : cases()) {
        const std::string text = ShellQuote(c.argument).utf8();
        EXPECT_EQ(text, c.quoted) << c.bytes;
        for (const char byte : text) {
            const auto b = static_cast<unsigned char>(byte);
            EXPECT_TRUE(b >= 0x20 && b != 0x7F) << c.bytes;
        }
    }
}

void expectExactReadBack(const char* shell) {
    for (const Case& c : cases()) {
        const ShellRun run = runShell(shell, ShellQuote(c.argument));
        EXPECT_EQ(run.status, 0) << shell << " " << c.quoted;
        EXPECT_EQ(run.output, nulJoined({c.bytes})) << shell << " " << c.quoted;
        EXPECT_TRUE(run.folderEmpty) << shell << " " << c.quoted;
    }
}

TEST(VACommandTextShellQuote, BashReadsBackEveryArgumentExactly) {
    expectExactReadBack("/bin/bash");
}

TEST(VACommandTextShellQuote, ZshReadsBackEveryArgumentExactly) {
    if (access("/usr/bin/zsh", X_OK) != 0) {
        GTEST_SKIP() << "no zsh here";
    }
    expectExactReadBack("/usr/bin/zsh");
}

TEST(VACommandTextShellQuote, ShReadsBackEveryArgumentAndRunsNothing) {
    const bool dollarQuotes = shellReadsDollarQuotes("/bin/sh");
    for (const Case& c : cases()) {
        const XStr quoted = ShellQuote(c.argument);
        // Two arguments around it show that it stays one word.
        const ShellRun run = runShell("/bin/sh", "x " + quoted + " y");
        EXPECT_EQ(run.status, 0) << c.quoted;
        EXPECT_TRUE(run.folderEmpty) << c.quoted;
        if (dollarQuotes || !quoted.startsWith("$'")) {
            EXPECT_EQ(run.output, nulJoined({"x", c.bytes, "y"})) << c.quoted;
        } else {
            EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\0'), 3) << c.quoted;
        }
    }
}

TEST(VACommandTextShellQuote, RandomTrickyArgumentsSurviveBashInOneLine) {
    RandomText random(20250101);
    XStrList arguments;
    std::vector<std::string> expected;
    static constexpr std::u32string_view kNasty = U" \"'\\$`!\n\t\x1b\u00E9;&|<>()*?[]{}~#=-ab";
    for (int i = 0; i < 300; ++i) {
        arguments.push_back(random.text(kNasty, 12));
        expected.push_back(arguments.back().utf8());
    }
    const ShellRun run = runShell("/bin/bash", ShellLine(arguments));
    EXPECT_EQ(run.output, nulJoined(expected));
    EXPECT_TRUE(run.folderEmpty);
}

TEST(VACommandTextShellLine, FirstWordThatLooksLikeAnAssignmentIsQuoted) {
    EXPECT_EQ(ShellLine({"/usr/bin/ffmpeg", "-vf", "scale=640:-2", "out put.mp4"}),
              "/usr/bin/ffmpeg -vf scale=640:-2 'out put.mp4'");
    EXPECT_EQ(ShellLine({"X=1", "a=b"}), "'X=1' a=b");
    EXPECT_EQ(ShellLine({}), "");
}

}  // namespace
