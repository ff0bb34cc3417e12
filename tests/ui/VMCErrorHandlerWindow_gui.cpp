// The bug report as a user meets it: a panel that cannot be shown gives a report file and
// the window, from which a copy is saved and the support forum opened; a program that a
// fatal signal ends leaves a report that the next start shows.
#include "VMCErrorHandlerWindow.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QUrl>
#include <stdexcept>

#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "VAAppDataFolder.h"
#include "VMCLauncherView.h"
#include "VMCPanelHostWindow.h"
#include "VideoProgramOffline.h"
#include "XWorkerProcess.h"

namespace {

// The report windows on screen.
QList<VMCErrorHandlerWindow*> reportWindows() {
    QList<VMCErrorHandlerWindow*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<VMCErrorHandlerWindow*>(w); window && w->isVisible()) {
            out.push_back(window);
        }
    }
    return out;
}

void closeReportWindows() {
    for (VMCErrorHandlerWindow* window : reportWindows()) {
        window->close();
    }
    QApplication::processEvents();
}

// A panel whose title cannot be had: the window cannot show it.
struct Broken : VMCPanel {
    XStr panelName() const override { throw std::runtime_error("no title for this panel"); }
    XStr panelSizeClass() const override { return "Broken"; }
};

// Takes the URLs the desktop would open.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.push_back(url); }
};

// The highest report file of this process, or "".
std::string newestReport() {
    const std::string folder = VAAppDataFolder::path().utf8();
    const std::string prefix = "BugEntry-" + std::to_string(getpid()) + "-";
    unsigned last = 0;
    for (const std::string& name : folderEntries(folder)) {
        if (name.rfind(prefix, 0) == 0 && name.find(".unseen") == std::string::npos) {
            last = std::max(last, static_cast<unsigned>(std::stoul(name.substr(prefix.size()))));
        }
    }
    return last == 0 ? std::string() : folder + "/" + prefix + std::to_string(last) + ".txt";
}

}  // namespace

TEST(VMCErrorHandlerWindow, APanelThatCannotBeShownGivesAReportToSave) {
    closeReportWindows();
    VMCErrorHandlerWindow::installPresenter();
    VMCPanelHostWindow window(VMCPanelHost::newLauncher());
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.host().showPanel(std::make_shared<Broken>());
    EXPECT_NE(qobject_cast<VMCLauncherView*>(window.panelView()), nullptr) << "the launcher stays";

    ASSERT_EQ(reportWindows().size(), 1);
    VMCErrorHandlerWindow* report = reportWindows()[0];
    ASSERT_TRUE(QTest::qWaitForWindowExposed(report));
    EXPECT_EQ(report->objectName(), QStringLiteral("VMCErrorHandler"));
    const QString text = report->textView()->toPlainText();
    EXPECT_TRUE(
        text.startsWith(QStringLiteral("Exception name: std::runtime_error\n"
                                       "Exception reason: no title for this panel\n"
                                       "Trace:\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n\nApp version: "))) << text.toStdString();
    EXPECT_EQ(report->textView()->font().family(),
              QFontDatabase::systemFont(QFontDatabase::FixedFont).family());
    const std::string file = newestReport();
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(XStr(readTextFile(file)) + VMCErrorHandler::versionsText(),
              report->handler().content())
        << "the file holds the report without the versions";

    // Save, through the chooser.
    const TestTempDir dir;
    QSignalSpy shown(report, &VMCErrorHandlerWindow::dialogShown);
    report->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(report));
    QTest::keyClick(report->textView(), Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(GuiTest::waitUntil([&shown] { return !shown.isEmpty(); }));
    auto* chooser = DialogTest::lastShown<QFileDialog>(shown);
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Save bug report"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser));
    chooser->setDirectory(QString::fromStdString(dir.path()));
    auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->clear();
    QTest::keyClicks(name, QStringLiteral("my report"));
    QTest::keyClick(name, Qt::Key_Return);
    ASSERT_TRUE(GuiTest::waitUntil([chooser = QPointer<QWidget>(chooser)] { return !chooser; }));
    EXPECT_EQ(XStr(readTextFile(dir.file("my report.txt"))), report->handler().content());
    EXPECT_FALSE(report->saveTo(QString::fromStdString(dir.file("missing/report.txt"))));
    auto* alert = DialogTest::lastShown<QMessageBox>(shown);
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->text().startsWith(QStringLiteral("The bug report could not be saved to")));
    alert->accept();

    // The support forum opens in the browser.
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QTest::mouseClick(report->supportButton(), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(catcher.opened,
              QList<QUrl>{QUrl(QStringLiteral("https://www.quillmere.com/forum/"))});

    DialogTest::expectAccessibleNames(report);
    report->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(report));
    QTest::keyClick(report->textView(), Qt::Key_Escape);
    EXPECT_TRUE(GuiTest::waitUntil([] { return reportWindows().isEmpty(); }));
    window.close();
}

// The program itself, ended three ways while its first window is up: each leaves a report
// that the next start shows.
TEST(VMCErrorHandlerWindow, AFatalSignalLeavesAReportTheNextStartShows) {
    struct Case {
        const char* crash;
        int signal;
        const char* head;
    };
    const Case cases[] = {
        {"segv", SIGSEGV,
         "Exception name: SIGSEGV\nException reason: Segmentation fault\nTrace:\n"},
        {"abort", SIGABRT, "Exception name: SIGABRT\nException reason: Aborted\nTrace:\n"},
        {"exception", SIGABRT,
         "Exception name: SIGABRT\nException reason: Aborted\nAdditional information:\n"
         "  uncaught std::runtime_error: the test's uncaught exception\nTrace:\n"},
    };
    closeReportWindows();
    VMCErrorHandlerWindow::installPresenter();
    // No core files for crashes made on purpose.
    rlimit noCore{0, 0};
    rlimit saved{};
    getrlimit(RLIMIT_CORE, &saved);
    setrlimit(RLIMIT_CORE, &noCore);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.crash);
        const TestTempDir data;
        const ScopedEnv folder("_APPDATA_OVERRIDE", data.path().c_str());
        keepVideoProgramOffline(data.path());
        const ScopedEnv crash("VANTARO_TEST_CRASH", c.crash);
        XWorkerProcess program;
        ASSERT_TRUE(program.Create({XStr(VANTARO_GUI_PATH)}, XWorkerProcess::kPipeStdErr));
        const pid_t pid = program.Pid();
        ASSERT_TRUE(program.WaitFinished(120000));
        program.Stop(0);
        EXPECT_FALSE(program.LastExit().exited);
        EXPECT_EQ(program.LastExit().signal, c.signal);

        const std::string report =
            VAAppDataFolder::path().utf8() + "/BugEntry-" + std::to_string(pid) + "-1.txt";
        const std::string text = readTextFile(report);
        EXPECT_EQ(text.rfind(c.head, 0), 0u) << text;
        EXPECT_NE(text.find("vantaro-video"), std::string::npos) << "the trace: " << text;
        EXPECT_TRUE(fileExists(report + ".unseen"));

        // The next start.
        VMCErrorHandlerWindow::showUnseenReports();
        ASSERT_EQ(reportWindows().size(), 1);
        EXPECT_TRUE(
            reportWindows()[0]->textView()->toPlainText().startsWith(QString::fromUtf8(c.head)));
        EXPECT_FALSE(fileExists(report + ".unseen"));
        closeReportWindows();
        VMCErrorHandlerWindow::showUnseenReports();
        EXPECT_TRUE(reportWindows().isEmpty()) << "shown once";
    }
    setrlimit(RLIMIT_CORE, &saved);
}

#include "VMCErrorHandlerWindow_gui.moc"
