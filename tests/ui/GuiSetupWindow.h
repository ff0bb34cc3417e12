// A converter window at its setup panel with clips made for the test, as the GUI tests of
// the panel and of the dialogs it opens start from.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <initializer_list>
#include <string>

#include "GuiTestSupport.h"
#include "MediaSupport.h"
#include "TestSupport.h"
#include "VMCPanelHostWindow.h"
#include "VMCPreConvertDialogView.h"
#include "XRegistry.h"

namespace GuiTest {

struct SetupWindow {
    explicit SetupWindow(bool userProfiles = false,
                         std::initializer_list<const char*> clipNames = {"first.mkv", "second.mkv"})
        : allowProfiles(userProfiles) {
        open(clipNames);
    }

    // Whether user profiles are allowed while the window is open.
    struct AllowProfiles {
        explicit AllowProfiles(bool on) { XRegistry::SetDWORD("vMCAllowProfiles", on ? 1 : 0); }
        ~AllowProfiles() { XRegistry::SetDWORD("vMCAllowProfiles", 0); }
    } allowProfiles;
    TestTempDir dir;
    VMCPanelHostWindow window{VMCPanelHost::newLauncher()};
    VMCPreConvertDialogView* view = nullptr;

    void open(std::initializer_list<const char*> clipNames) {
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        XStrList clips;
        for (const char* name : clipNames) {
            EXPECT_TRUE(makeTestClip(dir.file(name)));
            clips.push_back(dir.xfile(name));
        }
        window.host().sourceFilesChosen(clips);
        view = qobject_cast<VMCPreConvertDialogView*>(window.panelView());
        // The window shows a new panel once its events run.
        EXPECT_TRUE(waitUntil([this] { return view != nullptr && view->isVisible(); }));
        activate();
    }
    // The offscreen platform has no window manager to hand the activation back from a
    // closed drop-down or dialog.
    void activate() {
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    VMCConfig& config() const { return *window.host().sharedConfig(); }
};

}  // namespace GuiTest
