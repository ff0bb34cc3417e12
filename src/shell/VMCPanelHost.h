// A converter window: the launcher as its root panel and the road from chosen files to the
// converter's panels.
#pragma once

#include <memory>
#include <vector>

#include "VAConvertSource.h"
#include "VAFileInfoCache.h"
#include "VMCConfig.h"
#include "VMCConversionRoad.h"
#include "VMCPanelHostBase.h"
#include "VMCPreConvertEntry.h"
#include "VMCSourceCollector.h"

class VMCPanelHost : public VMCPanelHostBase {
public:
    // A host whose root panel is the launcher; give it a window with setView.
    static std::unique_ptr<VMCPanelHost> newLauncher();
    // A host for files handed over from outside (the command line, "Open With"): it starts
    // in the converter's panel with them and closes at the end of the road.
    static std::unique_ptr<VMCPanelHost> newForSources(const XStrList& paths);

    // New sources are taken where the road starts, on the launcher and the converter's
    // setup panel; from the moment the setup is done until the road ends they are refused.
    bool acceptsSources() const;
    // Asks the window for source files, when sources are taken now.
    void startOpenFileDialog();
    // The files the user chose; none (the chooser was cancelled) changes nothing.
    void sourceFilesChosen(const XStrList& paths);
    // Files and folders dropped on the window: false when refused. The folders' files are
    // collected in the background; then they go on like chosen files, and the paths that
    // could not be used are reported to the window.
    bool sourcesDropped(const XStrList& paths);
    // A drop is being read.
    bool collectingSources() const { return mCollector != nullptr; }
    // Takes the sources and shows the converter's panel; the invoking panel is where
    // cancelling returns to (none: cancelling closes the window).
    void preConvertFrom(const std::vector<VAConvertSource::Item>& sources,
                        std::shared_ptr<VMCPanel> invoker);
    // Leaves the converter's panel for the panel that opened it, else closes the window.
    void cancelPreConvert();
    // At the end of a road: back to the root panel, or closes a window opened for files
    // handed over from outside.
    void returnToRootOrClose();

    // The setup is done: every destination is checked, existing ones are asked about, then
    // the conversion starts.
    void preConvertDone();

    const std::vector<std::shared_ptr<VAConvertSource>>& sources() const { return mSources; }
    // The configuration the setup panel edits, made when sources are taken.
    const std::shared_ptr<VMCConfig>& sharedConfig() const { return mConfig; }
    // One entry per source, in source order.
    std::vector<VMCPreConvertEntry>& entries() { return mEntries; }
    const std::vector<VMCPreConvertEntry>& entries() const { return mEntries; }
    // Media information of the current sources, gathered in the background.
    VAFileInfoCache* fileInfoCache() const { return mFileInfoCache.get(); }
    // From the check of the destinations to the end of the conversion.
    VMCConversionRoad& conversionRoad() const { return *mRoad; }

    // Set for a window opened with files from outside (another program, the command line):
    // it closes instead of showing the launcher again.
    bool suppressReturnToLauncher = false;

private:
    void sourcesCollected(const VMCSourceCollector::Result& result);
    // Sources taken while the setup panel is shown keep the panel it came from.
    std::shared_ptr<VMCPanel> invokerForNewSources() const;

    std::vector<std::shared_ptr<VAConvertSource>> mSources;
    std::shared_ptr<VMCConfig> mConfig;
    std::vector<VMCPreConvertEntry> mEntries;
    std::unique_ptr<VAFileInfoCache> mFileInfoCache;
    std::shared_ptr<VMCPanel> mInvoker;
    // The panel preConvertFrom showed.
    std::weak_ptr<VMCPanel> mSetupPanel;
    std::shared_ptr<VMCSourceCollector> mCollector;
    // Last, so that it goes first: it works on everything above.
    std::shared_ptr<VMCConversionRoad> mRoad = std::make_shared<VMCConversionRoad>(*this);
};
