// The road of a converter window from the setup to the end of a conversion: the check of
// every destination, the sheet for outputs that exist, the progress panel and the status
// log. The host owns it; its panels and controllers hold it weakly, so that nothing they do
// after the window has gone reaches a host that is no more.
#pragma once

#include <memory>
#include <vector>

#include "VMCCheckingFilenamesProgress.h"
#include "VMCPanel.h"
#include "VMCProgressDialog.h"
#include "VMCStatusLogContext.h"

class VMCCheckingPanel;
class VMCPanelHost;

class VMCConversionRoad : public VMCCheckingFilenamesHost,
                          public VMCProgressHost,
                          public VMCStatusLogHost,
                          public std::enable_shared_from_this<VMCConversionRoad> {
public:
    explicit VMCConversionRoad(VMCPanelHost& host) : mHost(host) {}
    // A check still running is cancelled.
    ~VMCConversionRoad() override;
    VMCConversionRoad(const VMCConversionRoad&) = delete;
    VMCConversionRoad& operator=(const VMCConversionRoad&) = delete;

    // The setup is done: a fresh check of every destination behind the checking panel. The
    // invoking panel is where a cancelled check or sheet returns to.
    void preConvertDone(std::shared_ptr<VMCPanel> invoker);
    // With no destination there already the conversion begins; else the sheet asks.
    void checkFileNamesDone(bool anyExists, VMCCheckingFilenamesProgress* invoker) override;
    // The checked outputs become the conversion of a new progress panel, which takes the
    // window and starts.
    void beginConversion();

    // From the checking panel: the user stopped the check.
    void checkCancelled(const VMCCheckingPanel& panel);
    // From the checking panel: the sheet ended with this code (1: convert what is checked).
    void existingFilesAnswered(const VMCCheckingPanel& panel, int code);
    // From a panel: its title changed while it is shown.
    void panelTitleChanged(const VMCPanel& panel);

    // VMCCheckingFilenamesHost: the window's sources, records and configuration.
    std::vector<std::shared_ptr<const VAMediaFileInfo>> allInfosLoaded() const override;
    const VMCConfig& config() const override;
    std::vector<VMCPreConvertEntry> conversionEntries() const override;

    // VMCProgressHost and VMCStatusLogHost: the end of the road.
    void conversionAllDone() override;
    void showStatusLog(const VMCStatusLogContext& context) override;
    // VMCStatusLogHost: the failed sources are set up again.
    void preConvertFrom(const std::vector<std::shared_ptr<VAConvertSource>>& sources) override;

    // Every progress panel runs its jobs with this runner (tests, screenshots); the FFmpeg
    // run when unset.
    void setJobRunner(VMCProgressDialog::JobRunner runner) { mJobRunner = std::move(runner); }
    // Every check probes the sources whose names need their tags with this prober (tests,
    // screenshots); the probe cache when unset.
    void setCheckProber(VMCCheckingFilenamesProgress::Prober prober) {
        mCheckProber = std::move(prober);
    }
    // The scheduler's settings; the settings store when unset.
    void setProgressSettings(std::shared_ptr<VMCProgressSettings> settings) {
        mSettings = std::move(settings);
    }

private:
    // The checking panel shown now, if the check is still what the window shows.
    std::shared_ptr<VMCCheckingPanel> currentCheck() const;
    void returnToInvoker();

    VMCPanelHost& mHost;
    std::shared_ptr<VMCPanel> mInvoker;
    std::shared_ptr<VMCCheckingFilenamesProgress> mCheck;
    VMCProgressDialog::JobRunner mJobRunner;
    VMCCheckingFilenamesProgress::Prober mCheckProber;
    std::shared_ptr<VMCProgressSettings> mSettings;
};
