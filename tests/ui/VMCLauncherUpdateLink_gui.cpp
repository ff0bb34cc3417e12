// The launcher's update link: a server on the loopback interface lists a newer version of
// the program, and the launcher that opens shows "update to <version>"; activated from the
// keyboard it opens the page the server named, and only a web page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCommandLinkButton>
#include <QDesktopServices>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <mutex>

#include "GuiTestSupport.h"
#include "LoopbackWebServer.h"
#include "TestSupport.h"
#include "VAVersionInfoGlobals.h"
#include "VAWebServer.h"
#include "VMCLauncherView.h"
#include "VMCPanelHostWindow.h"
#include "XRegistry.h"

namespace {

// Takes what the desktop would open in a browser.
class OpenedPages : public QObject {
    Q_OBJECT

public:
    OpenedPages() {
        for (const char* scheme : {"http", "https", "file"}) {
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
        }
    }
    ~OpenedPages() override {
        for (const char* scheme : {"http", "https", "file"}) {
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
        }
    }
    QList<QUrl> pages;

public Q_SLOTS:
    void open(const QUrl& url) { pages.push_back(url); }
};

TEST(VMCLauncherUpdateLink, ANewerVersionOnTheServerShowsTheLinkInTheLauncher) {
    std::mutex mutex;
    std::string list;
    LoopbackServer server([&](LoopbackServer::Connection& c) {
        const std::string target = LoopbackServer::targetOf(c.readRequestHead());
        std::lock_guard<std::mutex> lock(mutex);
        c.write(target == "/beta/prog_versions.txt" ? LoopbackServer::response(200, list)
                                                    : LoopbackServer::response(404, ""));
    });
    // Another program's record first; ours in other letter case, with a newer version.
    list =
        "Vantaro Audio Converter Linux\r\n9.9\r\nhttps://example.invalid/audio\r\n"
        "VANTARO video converter linux\r\n99.0 <b>beta</b>\r\nhttps://example.invalid/get\r\n";
    useLoopbackWebServer(server);
    XRegistry::SetDWORD(VAVersionInfoGlobals::kNoCheckUpdates, 0);
    OpenedPages opened;
    {
        VMCPanelHostWindow window(VMCPanelHost::newLauncher());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        auto* launcher = qobject_cast<VMCLauncherView*>(window.panelView());
        ASSERT_NE(launcher, nullptr);
        QPushButton* link = launcher->updateLink();
        ASSERT_TRUE(GuiTest::waitUntil([link] { return link->isVisible(); }, 120000));
        // The server's text shown as text, not as markup.
        EXPECT_EQ(link->text(), QStringLiteral("update to 99.0 <b>beta</b>"));
        EXPECT_EQ(link->accessibleName(), link->text());
        EXPECT_EQ(server.accepted(), 1);
        // The window grew for the link: no entry is squeezed below the height it needs.
        QApplication::processEvents();
        for (QCommandLinkButton* entry : launcher->findChildren<QCommandLinkButton*>()) {
            EXPECT_GE(entry->height(), entry->heightForWidth(entry->width()))
                << entry->text().toStdString();
        }
        // Reached with Tab from the last of the launcher's buttons, opened with Space.
        QWidget* before = link->previousInFocusChain();
        before->setFocus(Qt::TabFocusReason);
        QTest::keyClick(before, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), link);
        QTest::keyClick(link, Qt::Key_Space);
        ASSERT_EQ(opened.pages.size(), 1);
        EXPECT_EQ(opened.pages[0], QUrl(QStringLiteral("https://example.invalid/get")));
        window.close();
    }
    XRegistry::SetDWORD(VAVersionInfoGlobals::kNoCheckUpdates, 1);
    XRegistry::DeleteValue(VAWebServer::kHostSetting);
    XRegistry::DeleteValue(VAWebServer::kSchemeSetting);
}

// The link's view opens web pages only: an address of another kind from the server is
// never handed to the desktop.
TEST(VMCLauncherUpdateLink, OnlyWebPagesAreOpened) {
    OpenedPages opened;
    VMCPanelHostWindow window(VMCPanelHost::newLauncher());
    auto* launcher = qobject_cast<VMCLauncherView*>(window.panelView());
    ASSERT_NE(launcher, nullptr);
    EXPECT_FALSE(launcher->updateLink()->isVisibleTo(launcher)) << "checks are off";
    for (const char* url : {"file:///bin/sh", "javascript:alert(1)", "https://example.invalid/x"}) {
        launcher->openURL(url);
    }
    ASSERT_EQ(opened.pages.size(), 1);
    EXPECT_EQ(opened.pages[0], QUrl(QStringLiteral("https://example.invalid/x")));
}

}  // namespace

#include "VMCLauncherUpdateLink_gui.moc"
