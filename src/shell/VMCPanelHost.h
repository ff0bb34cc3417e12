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
#include "VMCUserDefaults.h"

class VMCPanelHost : public VMCPanelHostBase {
public:
    // A host whose root panel is the launcher; give it a window with setView.
    static std::unique_ptr<VMCPanelHost> newLauncher();
    // A host for files handed over from outside (the command line, "Open With"): it starts
    // in the converter's panel with them and closes at the end of the road.
    static std::unique_ptr<VMCPanelHost> newForSources(const XStrList& paths);
    // A host for folders handed over from outside: it starts in the batch converter with
    // them ticked and closes at the end of the road.
    static std::unique_ptr<VMCPanelHost> newForFolders(const XStrList& paths,
                                                       std::shared_ptr<VMCUserDefaults> defaults);

    // Where the batch converter keeps its window-level choices (memory until set).
    void setUserDefaults(std::shared_ptr<VMCUserDefaults> defaults) {
        mUserDefaults = std::move(defaults);
    }
    const std::shared_ptr<VMCUserDefaults>& userDefaults() const { return mUserDefaults; }
    // Shows the batch converter with these locations ticked (none: the last folder shown).
    void startBatchConverter(const XStrList& selection = {});

    // New sources are taken where the road starts, on the launcher and the converter's
    // setup panel; from the moment the setup is done until the road ends they are refused.
    bool acceptsSources() const;
    // Asks the window for source files, when sources are taken now.
    void startOpenFileDialog();
    // Asks the window for files to join into one output.
    void startJoinFilesDialog();
    // The title of the file chooser the window is asked for.
    XStr openFileDialogTitle() const;
    // The files the user chose; none (the chooser was cancelled) changes nothing.
    void sourceFilesChosen(const XStrList& paths);
    // The files go to the panel that puts them in order for joining; going back from it
    // shows returnTo (none: the root panel).
    void beginConcatenate(const XStrList& files, std::shared_ptr<VMCPanel> returnTo);
    // Files and folders dropped on the window: false when refused. The folders' files are
    // collected in the background; then they go on like chosen files, and the paths that
    // could not be used are reported to the window.
    bool sourcesDropped(const XStrList& paths);
    // A drop is being read.
    bool collectingSources() const { return mCollector != nullptr; }
    // Takes the sources and shows the converter's panel; the invoking panel is where
    // cancelling returns to (none: cancelling closes the window). The configuration is the
    // one kept for the batch converter's profile of that name, when one is given.
    void preConvertFrom(const std::vector<VAConvertSource::Item>& sources,
                        std::shared_ptr<VMCPanel> invoker,
                        const std::optional<XStr>& batchProfile = std::nullopt);
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
    // The chooser asked for picks files to join.
    bool mChoosingToJoin = false;
    // The panel preConvertFrom showed.
    std::weak_ptr<VMCPanel> mSetupPanel;
    std::shared_ptr<VMCSourceCollector> mCollector;
    std::shared_ptr<VMCUserDefaults> mUserDefaults = std::make_shared<VMCMemoryUserDefaults>();
    // Last, so that it goes first: it works on everything above.
    std::shared_ptr<VMCConversionRoad> mRoad = std::make_shared<VMCConversionRoad>(*this);
};
