// The panel in which the files to be joined into one output are put in order: moved by
// dragging or one place at a time, removed, or added to. Each file's length is probed in
// the background, and the total shown. Proceeding sets the joined files up as one source
// of the converter; going back shows the panel that opened this one.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "VAFileInfoCache.h"
#include "VMCPanel.h"
#include "XStr.h"

class VMCPanelHost;

class VAConcatenateOrderDialog : public VMCPanel,
                                 public VAFileInfoCacheCallback,
                                 public std::enable_shared_from_this<VAConcatenateOrderDialog> {
public:
    class View {
    public:
        virtual ~View() = default;
        // The files, their lengths, the total or whether Join is enabled changed.
        virtual void filesChanged() = 0;
    };

    static constexpr const char* kTitle = "Join Files";
    static constexpr const char* kSizeClass = "Join Order";
    static constexpr const char* kTooFew = "More than one file required for concatenation.";
    static constexpr const char* kHint =
        "The files are joined into one output in this order. Drag a file to its place, or move "
        "it with Move Up and Move Down.";

    // The files in the order given; back shows returnTo (none: the host's root panel). The
    // lengths are probed at once.
    static std::shared_ptr<VAConcatenateOrderDialog> create(VMCPanelHost& host, XStrList files,
                                                            std::shared_ptr<VMCPanel> returnTo);
    ~VAConcatenateOrderDialog() override;
    VAConcatenateOrderDialog(const VAConcatenateOrderDialog&) = delete;
    VAConcatenateOrderDialog& operator=(const VAConcatenateOrderDialog&) = delete;

    void setView(View* view) { mView = view; }

    const XStrList& files() const { return mFiles; }
    // A file's name and its folder as people read them.
    XStr fileName(std::size_t index) const;
    XStr folderName(std::size_t index) const;
    // The file's length ("1:05"), "unknown" when the probe found none, empty while it runs.
    XStr lengthText(std::size_t index) const;
    // "Total length: 3:10", with "at least" while lengths are missing; empty while none is
    // known.
    XStr totalText() const;
    // Why Join is disabled, else the hint.
    XStr statusText() const;

    // The file at from ends up at position to; false when either is out of range or equal.
    bool moveFile(std::size_t from, std::size_t to);
    bool removeFile(std::size_t index);
    // Appended in the order given; files already in the list are added again (a file may
    // be joined twice).
    void addFiles(const XStrList& paths);

    bool proceedEnabled() const { return mFiles.size() >= 2; }
    // One joined source of the files in their order, set up like a single source.
    void onProceed();
    void onBack();

    // VMCPanel
    XStr panelName() const override { return kTitle; }
    XStr panelSizeClass() const override { return kSizeClass; }
    VMCPanelSize minimumSize() const override { return {480, 320}; }
    VMCPanelSize preferredSize() const override { return {680, 440}; }

    // VAFileInfoCacheCallback
    void onInfosLoaded(std::size_t countLoaded) override;

private:
    VAConcatenateOrderDialog(VMCPanelHost& host, XStrList files,
                             std::shared_ptr<VMCPanel> returnTo);
    void probe(const XStrList& paths);
    std::optional<uint64_t> lengthOf(const XStr& path) const;
    void changed();

    VMCPanelHost& mHost;
    XStrList mFiles;
    std::shared_ptr<VMCPanel> mReturnTo;
    View* mView = nullptr;
    // One cache per batch of files added; the lengths found, by path.
    std::vector<std::unique_ptr<VAFileInfoCache>> mCaches;
    std::map<XStr, uint64_t> mLengths;
};
