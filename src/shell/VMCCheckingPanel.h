// The panel that shows while every destination is checked, and under the sheet that asks
// about outputs that exist already.
#pragma once

#include <memory>

#include "VMCCheckingFilenamesProgress.h"
#include "VMCFileAlreadyExistsDialog.h"
#include "VMCPanel.h"

class VMCConversionRoad;

class VMCCheckingPanel : public VMCPanel,
                         public VMCFileAlreadyExistsView,
                         public std::enable_shared_from_this<VMCCheckingPanel> {
public:
    // What the panel tells its view about the sheet; every call comes on the main thread.
    class View {
    public:
        virtual ~View() = default;
        // The sheet is to be shown over the window.
        virtual void sheetOpened() = 0;
        // Its check marks or names changed.
        virtual void sheetItemsChanged() {}
        // It has ended; the view takes it down.
        virtual void sheetClosed() = 0;
    };

    VMCCheckingPanel(std::shared_ptr<VMCCheckingFilenamesProgress> check,
                     std::weak_ptr<VMCConversionRoad> road)
        : mCheck(std::move(check)), mRoad(std::move(road)) {}

    void setView(View* view) { mView = view; }
    const std::shared_ptr<VMCCheckingFilenamesProgress>& check() const { return mCheck; }

    // "Checking 3 of 10 files..." while it runs, then what the sheet is about.
    XStr statusText() const;
    // The share of the sources planned, 0 to 100; none while there is nothing to count.
    std::optional<int> percentDone() const;

    // The user stops the check (or, with the sheet up, leaves it as Cancel does).
    void onCancel();
    // Puts up the sheet on the check's state; the road asks for it.
    void openSheet();
    // The sheet while it is up, else null.
    const std::shared_ptr<VMCFileAlreadyExistsDialog>& sheet() const { return mSheet; }

    // The panel is gone from the window (another panel, or the window closed).
    bool isClosed() const { return mClosed; }

    XStr panelName() const override;
    XStr panelSizeClass() const override { return "Converter Progress"; }
    VMCPanelSize minimumSize() const override { return {440, 160}; }
    VMCPanelSize preferredSize() const override { return {560, 200}; }
    void panelWillClose() override;

    // VMCFileAlreadyExistsView
    void endSheet(int code) override;
    void itemsChanged() override;

private:
    std::shared_ptr<VMCCheckingFilenamesProgress> mCheck;
    std::weak_ptr<VMCConversionRoad> mRoad;
    std::shared_ptr<VMCFileAlreadyExistsDialog> mSheet;
    View* mView = nullptr;
    bool mClosed = false;
};
