// The list of the files about to be converted, opened from the setup panel's file count:
// each file with its check box, the output name (which the user may type), its length,
// type and estimated output size, actions on the checks and the selection, and totals.
// Changes are staged here and reach the host's entries only with OK.
#pragma once

#include <ctime>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "VAEncoderDesc.h"
#include "VAEncoderInstance.h"
#include "VAFileInfoCacheCallback.h"
#include "VMCFileListEdit.h"
#include "VMCFileNaming.h"
#include "VMCPanel.h"
#include "XStr.h"

class VMCPanelHost;
class VMCPreConvertDialog;

class VMCFileListDialog : public VMCPanel,
                          public VAFileInfoCacheCallback,
                          public std::enable_shared_from_this<VMCFileListDialog> {
public:
    class View {
    public:
        virtual ~View() = default;
        // The cells of the rows first to last (both included) changed.
        virtual void rowsChanged(std::size_t first, std::size_t last) = 0;
        virtual void totalsChanged() = 0;
        // Shows the files in the system's file viewer.
        virtual void revealFiles(const XStrList& paths) = 0;
    };

    enum Column {
        kColumnChecked,
        kColumnSource,
        kColumnDestination,
        kColumnDuration,
        kColumnSourceType,
        kColumnEstimatedSize,
        kColumnCount
    };

    static constexpr const char* kTitle = "List & Rename Files";
    static constexpr const char* kSizeClass = "File List";
    static constexpr const char* kNotAvailable = "N/A";

    // The rows are the host's entries; the owner is shown again when the list is left.
    VMCFileListDialog(std::shared_ptr<VMCPreConvertDialog> owner, VMCPanelHost& host);
    ~VMCFileListDialog() override;
    VMCFileListDialog(const VMCFileListDialog&) = delete;
    VMCFileListDialog& operator=(const VMCFileListDialog&) = delete;

    void setView(View* view) { mView = view; }
    void setClock(std::function<std::time_t()> clock) { mClock = std::move(clock); }

    // Before showing: the active encoder and its estimator, no edits, the estimates so far.
    void refreshDialog();
    // When first shown: listens to the file information cache and shows the totals.
    void oneTimeInit();

    std::size_t rowCount() const;
    static XStr columnTitle(Column column);
    // What a cell shows (the check-box column shows nothing).
    XStr cellText(std::size_t row, Column column) const;
    bool checkedAt(std::size_t row) const;
    void setCheckedAt(std::size_t row, bool on);
    // Only when the encoder writes files.
    bool destinationEditable() const { return mEncoder && mEncoder->outputsFiles; }
    // The output name as the row shows it: the typed name, else the naming's name for the
    // source (empty while the source's information is not there); for an encoder that
    // writes no files, "< %@ >" with its name.
    XStr destinationUserAt(std::size_t row) const;
    // The user typed a name; an empty name, or the one shown already, types nothing.
    void setDestinationUserAt(std::size_t row, const XStr& name);
    // The staged state of a row.
    VMCFileListEdit getEditDataAt(std::size_t row) const;

    void toggleAll(bool on);
    void onInvertCheck();
    // The selected rows checked, every other one unchecked; false when nothing changed.
    bool onCheckOnlySelected(const std::vector<std::size_t>& selected);
    // Every selected row takes the opposite of the first selected row's state.
    void onToggleSelected(const std::vector<std::size_t>& selected);
    // " - " with the date and time after every row's output name.
    void onMenuAppendDateTime();
    void appendToAll(const XStr& suffix);
    void onRevealSources(const std::vector<std::size_t>& selected);

    // The actions on the selection need one.
    static bool selectionActionsEnabled(std::size_t selectedCount) { return selectedCount > 0; }
    static XStr toggleSelectedTitle(std::size_t selectedCount);
    static XStr revealTitle(std::size_t selectedCount);

    // "Converting %u %@ to %@".
    XStr totalsText() const;
    // "Estimated Total: %@" when every checked row has an estimate; else empty.
    XStr estimatedTotalText() const;

    // OK: the staged edits reach the entries, the setup panel is told and shown again.
    void onOK();
    // Cancel: the setup panel is shown again; nothing changes.
    void onCancel();

    // VMCPanel
    XStr panelName() const override { return kTitle; }
    XStr panelSizeClass() const override { return kSizeClass; }
    VMCPanelSize minimumSize() const override { return {560, 360}; }
    VMCPanelSize preferredSize() const override { return {860, 520}; }
    void panelWillClose() override;

    // VAFileInfoCacheCallback
    void onInfosLoaded(std::size_t countLoaded) override;

private:
    VMCFileListEdit& editItemAt(std::size_t row);
    void refreshEstimatedSize();
    void afterCheckChange();
    void refreshTotals();
    void rowsChanged(std::size_t first, std::size_t last);
    void applyEdits();

    std::shared_ptr<VMCPreConvertDialog> mOwner;
    VMCPanelHost& mHost;
    View* mView = nullptr;
    std::optional<VAEncoderDesc> mEncoder;
    std::unique_ptr<VAEncoderInstance> mEncoderInstance;
    std::optional<VMCFileNaming> mNaming;
    std::map<std::size_t, VMCFileListEdit> mEdits;
    std::vector<int64_t> mEstimatedSizes;
    std::function<std::time_t()> mClock;
    std::size_t mShownLoaded = 0;
    bool mInitialised = false;
    bool mListening = false;
};
