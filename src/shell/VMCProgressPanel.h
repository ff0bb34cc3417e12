// The progress panel in a converter window: the scheduler's panel with a title, sizes and
// the choices its view offers. It listens to the scheduler and passes everything on to its
// own view.
#pragma once

#include <memory>
#include <vector>

#include "VMCPanel.h"
#include "VMCProgressDialog.h"

class VMCConversionRoad;

class VMCProgressPanel : public VMCPanel, public VMCProgressView {
public:
    struct Choice {
        XStr title;
        int tag = 0;
    };

    VMCProgressPanel(std::shared_ptr<VMCProgressDialog> dialog,
                     std::weak_ptr<VMCConversionRoad> road);
    ~VMCProgressPanel() override;
    VMCProgressPanel(const VMCProgressPanel&) = delete;
    VMCProgressPanel& operator=(const VMCProgressPanel&) = delete;

    const std::shared_ptr<VMCProgressDialog>& dialog() const { return mDialog; }
    // The view that shows the panel; it hears what the scheduler says.
    void setView(VMCProgressView* view) { mView = view; }

    // What may happen once everything is converted, by the scheduler's tag.
    static std::vector<Choice> afterConversionChoices();
    // The window's height for this many working encoders: it grows so that each has a row.
    static int heightForEncoders(uint32_t count);
    // The outputs made and the jobs that failed; final once everything is done.
    uint32_t convertedCount() const;
    uint32_t failedCount() const;

    XStr panelName() const override;
    XStr panelSizeClass() const override { return "Converter Progress"; }
    VMCPanelSize minimumSize() const override;
    VMCPanelSize preferredSize() const override;
    void panelWillClose() override;

    // VMCProgressView
    void labelsUpdated() override;
    void jobStarted(uint32_t job, const VMCCPU& slot) override;
    void jobFinished(uint32_t job, bool hadErrors) override;
    void logLine(uint32_t job, const XStr& line, bool error) override;
    void allDone() override;

private:
    std::shared_ptr<VMCProgressDialog> mDialog;
    std::weak_ptr<VMCConversionRoad> mRoad;
    VMCProgressView* mView = nullptr;
};
