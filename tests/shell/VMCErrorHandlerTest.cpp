// The bug report: its text, the files it is kept in, the report of an exception thrown
// while the window changes panels, and the reports a crashed run leaves for the next start.
#include "VMCErrorHandler.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <stdexcept>

#include "ShellTestSupport.h"
#include "VAAppDataFolder.h"
#include "VASystemVersion.h"
#include "VMCCrashReport.h"
#include "VMCPanelHostBase.h"

namespace {

class VMCErrorHandlerTest : public ShellTest {
protected:
    VMCErrorHandlerTest() {
        EXPECT_TRUE(VAAppDataFolder::ensureExists());
        VMCErrorHandler::setPresenter(
            [this](const std::shared_ptr<VMCErrorHandler>& handler) { shown.push_back(handler); });
    }
    ~VMCErrorHandlerTest() override { VMCErrorHandler::setPresenter(nullptr); }

    static std::string folder() { return VAAppDataFolder::path().utf8(); }
    // "BugEntry-<pid>-<n>.txt" of this process.
    static std::string reportName(unsigned n) {
        return "BugEntry-" + std::to_string(getpid()) + "-" + std::to_string(n) + ".txt";
    }
    // The counter of a report file of this process; 0 for another name.
    static unsigned counterOf(const XStr& path) {
        const std::string name = XStr(path).utf8().substr(folder().size() + 1);
        const std::string prefix = "BugEntry-" + std::to_string(getpid()) + "-";
        if (name.rfind(prefix, 0) != 0 || name.size() < prefix.size() + 5 ||
            name.substr(name.size() - 4) != ".txt") {
            return 0;
        }
        return static_cast<unsigned>(
            std::stoul(name.substr(prefix.size(), name.size() - prefix.size() - 4)));
    }

    std::vector<std::shared_ptr<VMCErrorHandler>> shown;
};

struct Reporting : VMCPanelHostView {
    std::vector<std::shared_ptr<VMCPanel>> shown;
    void showPanel(const std::shared_ptr<VMCPanel>& panel) override { shown.push_back(panel); }
    void setWindowTitle(const XStr&) override {}
    void setWindowSize(VMCPanelSize, VMCPanelSize, bool) override {}
    void closeWindow() override {}
    void runOpenFileDialog() override {}
    void showSourcesError(const XStr&) override {}
};

struct Plain : VMCPanel {
    XStr panelName() const override { return "Plain"; }
    XStr panelSizeClass() const override { return "Plain"; }
};

// Its title cannot be had: the window cannot show it.
struct Broken : Plain {
    XStr panelName() const override {
        try {
            throw std::invalid_argument("no title in the catalogue");
        } catch (...) {
            std::throw_with_nested(std::runtime_error("the panel has no title"));
        }
    }
};

}  // namespace

TEST_F(VMCErrorHandlerTest, TheReportSaysNameReasonInformationAndTrace) {
    struct Case {
        const char* info;
        const char* text;
    };
    const Case cases[] = {
        {"", "Exception name: Boom\nException reason: it broke\nTrace:\n  frame 0\n  frame 1\n"},
        {"first\nsecond\n",
         "Exception name: Boom\nException reason: it broke\nAdditional information:\n  first\n"
         "  second\nTrace:\n  frame 0\n  frame 1\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VMCErrorHandler::reportText({"Boom", "it broke", c.info, {"frame 0", "frame 1"}}),
                  XStr(c.text));
    }
    const XStr versions = VMCErrorHandler::versionsText();
    EXPECT_EQ(versions, "\n\nApp version: " + VASystemVersion::appVersion() +
                            "\nOS version: " + VASystemVersion::osVersion());
    EXPECT_FALSE(VASystemVersion::appVersion().empty());
}

// Counters count on through the process; a name that exists is skipped, never written over.
TEST_F(VMCErrorHandlerTest, ReportFilesTakeTheNextFreeNumber) {
    const std::optional<XStr> first = VMCErrorHandler::writeReportFile("first report\n");
    ASSERT_TRUE(first);
    const unsigned n = counterOf(*first);
    ASSERT_GT(n, 0u) << first->utf8();
    EXPECT_EQ(readTextFile(first->utf8()), "first report\n");
    writeTextFile(folder() + "/" + reportName(n + 1), "somebody else's");
    const std::optional<XStr> second = VMCErrorHandler::writeReportFile("second report\n");
    ASSERT_TRUE(second);
    EXPECT_EQ(counterOf(*second), n + 2);
    EXPECT_EQ(readTextFile(folder() + "/" + reportName(n + 1)), "somebody else's");
    EXPECT_EQ(permissionsOf(second->utf8()), 0600u);

    const ScopedEnv nowhere("_APPDATA_OVERRIDE", mDir.file("missing/deeper").c_str());
    EXPECT_FALSE(VMCErrorHandler::writeReportFile("lost")) << "a failure is answered, not thrown";
}

// The panel that cannot be shown is reported once, with the exception inside it, and the
// window keeps showing the panel it had.
TEST_F(VMCErrorHandlerTest, AnExceptionWhileSwitchingPanelsIsReportedAndTheOldPanelStays) {
    Reporting view;
    VMCPanelHostBase host;
    host.setView(&view);
    const auto before = std::make_shared<Plain>();
    host.showPanel(before);
    host.showPanel(std::make_shared<Broken>());
    EXPECT_EQ(host.currentPanel(), before);
    ASSERT_FALSE(view.shown.empty());
    EXPECT_EQ(view.shown.back(), before) << "shown again";

    ASSERT_EQ(shown.size(), 1u);
    const XStr content = shown[0]->content();
    const XStr head =
        "Exception name: std::runtime_error\nException reason: the panel has no title\n"
        "Additional information:\n  caused by std::invalid_argument: no title in the "
        "catalogue\nTrace:\n";
    EXPECT_TRUE(content.startsWith(head)) << content.utf8();
    EXPECT_TRUE(content.endsWith(VMCErrorHandler::versionsText())) << content.utf8();
    EXPECT_GT(content.split(U'\n').size(), 10u) << "the trace of where it was caught";

    // The same report, without the versions, is in the newest report file.
    const std::string file = folder() + "/" + [] {
        unsigned last = 0;
        for (const std::string& name : folderEntries(folder())) {
            const std::string prefix = "BugEntry-" + std::to_string(getpid()) + "-";
            if (name.rfind(prefix, 0) == 0) {
                last =
                    std::max(last, static_cast<unsigned>(std::stoul(name.substr(prefix.size()))));
            }
        }
        return reportName(last);
    }();
    const XStr written(readTextFile(file));
    EXPECT_EQ(written + VMCErrorHandler::versionsText(), content);

    host.showPanelMadeBy([]() -> std::shared_ptr<VMCPanel> { throw 42; });
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[1]->content().startsWith("Exception name: int\nException reason: \n"))
        << shown[1]->content().utf8();
    EXPECT_EQ(host.currentPanel(), before);
    host.setView(nullptr);
}

TEST_F(VMCErrorHandlerTest, ACopyIsSavedWhereTheUserSays) {
    VMCErrorHandler handler("Exception name: x\n");
    EXPECT_TRUE(handler.onSave(mDir.xfile("copy.txt")));
    EXPECT_EQ(readTextFile(mDir.file("copy.txt")), "Exception name: x\n");
    writeTextFile(mDir.file("kept.txt"), "old");
    EXPECT_FALSE(handler.onSave(mDir.xfile("no/such/folder/copy.txt")));
    handler.setContent("new content");
    EXPECT_TRUE(handler.onSave(mDir.xfile("kept.txt")));
    EXPECT_EQ(readTextFile(mDir.file("kept.txt")), "new content");
}

// What a crashed run left: each report marked unseen is handed over once, oldest first; a
// marker without its report, or a report without a marker, gives nothing.
TEST_F(VMCErrorHandlerTest, UnseenReportsAreTakenOnce) {
    const std::string dir = folder();
    struct File {
        const char* name;
        const char* content;
        long seconds;
    };
    for (const File& f :
         {File{"BugEntry-7-2.txt", "second crash", 200}, File{"BugEntry-7-2.txt.unseen", "", 200},
          File{"BugEntry-5-1.txt", "first crash", 100}, File{"BugEntry-5-1.txt.unseen", "", 100},
          File{"BugEntry-9-1.txt", "seen before", 50}, File{"BugEntry-8-1.txt.unseen", "", 10},
          File{"Other.txt.unseen", "", 10}}) {
        writeTextFile(dir + "/" + f.name, f.content);
        setModifiedTime(dir + "/" + f.name, timespec{f.seconds, 0});
    }
    EXPECT_EQ(VMCCrashReport::takeUnseenReports(), (XStrList{"first crash", "second crash"}));
    EXPECT_EQ(VMCCrashReport::takeUnseenReports(), XStrList{});
    EXPECT_TRUE(fileExists(dir + "/BugEntry-5-1.txt")) << "the report itself stays";
    EXPECT_FALSE(fileExists(dir + "/BugEntry-5-1.txt.unseen"));
    EXPECT_TRUE(fileExists(dir + "/Other.txt.unseen")) << "not ours";
}
