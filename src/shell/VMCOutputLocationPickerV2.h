// The output location picker: a drop-down that chooses where outputs go. Its rows are the
// fixed choices (beside the sources, one folder, the sources' folders under a folder, a
// naming template, the parent's settings), then the current and the recent destinations;
// a choice that needs a folder or a template asks the view first. The owner is told after
// every change of the naming (onChanged).
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "VAEncoderDesc.h"
#include "VMCFileNaming.h"
#include "VMCOutputLocationPickerEntry.h"
#include "XStr.h"

class VMCOutputLocationPickerV2 {
public:
    // What the naming dialog is given besides the naming: the active profile and its
    // encoder, for examples.
    struct NamingDialogContext {
        XStr activeProfileReg;
        XStr encoderName;
        XStr encoderSettings;
        XStr dspEffectsString;
    };

    // What the dynamic naming dialog starts with.
    struct DynamicNamingRequest {
        XStr curPattern;
        // The destination as people read it, and its path.
        XStr baseLocation;
        XStr baseLocationURL;
        NamingDialogContext context;
    };

    class View {
    public:
        virtual ~View() = default;
        // The rows or the selected row changed.
        virtual void locationPickerChanged() = 0;
        // A folder chooser (folders only, one, new folders allowed) starting at the folder
        // given; the answer goes to folderChosen.
        virtual void runFolderChooser(const XStr& startFolder, const XStr& title) = 0;
        // The answer goes to dynamicNamingDone.
        virtual void runDynamicNamingDialog(const DynamicNamingRequest& request) = 0;
    };

    static constexpr const char* kSameFolder = "Existing Source Folder(s)";
    static constexpr const char* kSingleFolder = "Single Folder";
    static constexpr const char* kPreservePath = "Preserve Source Path";
    static constexpr const char* kEditDynamicNaming = "Edit Dynamic Naming";
    static constexpr const char* kUseParent = "Use parent settings";
    static constexpr const char* kNotRequired = "not required for encoder";

    // The recent destinations are read from the store.
    VMCOutputLocationPickerV2(bool allowSameFolder, bool allowParentConfig);

    void setView(View* view) { mView = view; }
    void setOnChanged(std::function<void()> onChanged) { mOnChanged = std::move(onChanged); }
    void setNamingDialogContext(NamingDialogContext context) { mContext = std::move(context); }
    const NamingDialogContext& namingDialogContext() const { return mContext; }

    // Shows the naming without telling the owner (it handed the naming over).
    void setFileNaming(const VMCFileNaming& naming);
    const std::optional<VMCFileNaming>& fileNaming() const { return mNaming; }
    void setEncoder(const std::optional<VAEncoderDesc>& encoder);

    const std::vector<VMCOutputLocationPickerEntry>& entries() const { return mEntries; }
    // The row that shows the current naming; nothing when none does.
    std::optional<std::size_t> selectedIndex() const { return mSelected; }
    // The current destination as people read it: its folder and template.
    XStr selectedTitle() const;

    // The user chose a row.
    void onDropdownValueSelected(std::size_t index);
    void onSingleFolder();
    void onPreserveSourcePath();
    void editDynamicNaming();
    // The folder chooser ended: the chosen folder, or nothing when cancelled.
    void folderChosen(const std::optional<XStr>& folder);
    // The naming dialog ended; the base location as typed (a shown form or a path).
    void dynamicNamingDone(bool ok, const XStr& pattern, const XStr& baseLocation);

    // Takes the naming, tells the owner and rebuilds the rows.
    void applyNaming(const VMCFileNaming& naming);
    // The row of the current naming is selected again (a chooser was cancelled).
    void reselectCurrent();
    void updateCombo();
    // Puts the current naming first in the stored recent destinations.
    void saveToRecentList();
    const std::vector<VMCFileNaming>& recentNamings() const { return mRecent; }

    // The destination folder a typed base location stands for: shown forms and "~"
    // expanded; nothing for an empty or relative location.
    static std::optional<XStr> fixBaseLocationURL(const XStr& typed);
    // Same kind, template and destination.
    static bool namingEquals(const VMCFileNaming& a, const VMCFileNaming& b);
    // The naming's destination and template as people read them: folders in their shown
    // form, template elements by their names.
    static XStr describe(const VMCFileNaming& naming);

private:
    enum class Pending { kNone, kSingleFolder, kPreservePath, kDynamicNaming };

    void askForFolder(Pending pending);
    std::optional<std::size_t> rowOfCurrent() const;
    void notifyView() const;

    bool mAllowSameFolder;
    bool mAllowParentConfig;
    View* mView = nullptr;
    std::function<void()> mOnChanged;
    NamingDialogContext mContext;
    std::optional<VMCFileNaming> mNaming;
    std::optional<VAEncoderDesc> mEncoder;
    std::vector<VMCFileNaming> mRecent;
    std::vector<VMCOutputLocationPickerEntry> mEntries;
    std::optional<std::size_t> mSelected;
    Pending mPending = Pending::kNone;
};
