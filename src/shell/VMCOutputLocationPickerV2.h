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
#include "VMCDynamicNamingDialogV2.h"
#include "VMCFileNaming.h"
#include "VMCOutputLocationPickerEntry.h"
#include "XStr.h"

class VMCOutputLocationPickerV2 {
public:
    // What the naming dialog is given besides the naming: the active profile and its
    // encoder, and a source to make an example from.
    using NamingDialogContext = VMCDynamicNamingDialogV2_Context;

    class View {
    public:
        virtual ~View() = default;
        // The rows or the selected row changed.
        virtual void locationPickerChanged() = 0;
        // A folder chooser (folders only, one, new folders allowed) starting at the folder
        // given; the answer goes to folderChosen.
        virtual void runFolderChooser(const XStr& startFolder, const XStr& title) = 0;
        // Shows the dialog; its end reaches the picker by itself.
        virtual void runDynamicNamingDialog(std::shared_ptr<VMCDynamicNamingDialogV2> dialog) = 0;
    };

    static constexpr const char* kSameFolder = "Existing Source Folder(s)";
    static constexpr const char* kSingleFolder = "Single Folder";
    static constexpr const char* kPreservePath = "Preserve Source Path";
    static constexpr const char* kEditDynamicNaming = "Edit Dynamic Naming";
    static constexpr const char* kUseParent = "Use parent settings";
    static constexpr const char* kNotRequired = "not required for encoder";

    // The recent destinations are read from the store.
    VMCOutputLocationPickerV2(bool allowSameFolder, bool allowParentConfig);
    // An open naming dialog no longer reaches the picker.
    ~VMCOutputLocationPickerV2();
    VMCOutputLocationPickerV2(const VMCOutputLocationPickerV2&) = delete;
    VMCOutputLocationPickerV2& operator=(const VMCOutputLocationPickerV2&) = delete;

    void setView(View* view) { mView = view; }
    void setOnChanged(std::function<void()> onChanged) { mOnChanged = std::move(onChanged); }
    void setNamingDialogContext(NamingDialogContext context) { mContext = std::move(context); }
    // The context is asked for when the dialog opens (a source's record may have come
    // meanwhile); without a provider the one set is given.
    void setNamingDialogContextProvider(std::function<NamingDialogContext()> provider) {
        mContextProvider = std::move(provider);
    }
    NamingDialogContext namingDialogContext() const {
        return mContextProvider ? mContextProvider() : mContext;
    }

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
    // The naming dialog opened last (it may have ended).
    const std::shared_ptr<VMCDynamicNamingDialogV2>& namingDialog() const { return mDialog; }

    // Takes the naming, tells the owner and rebuilds the rows.
    void applyNaming(const VMCFileNaming& naming);
    // The row of the current naming is selected again (a chooser was cancelled).
    void reselectCurrent();
    void updateCombo();
    // Puts the current naming first in the stored recent destinations.
    void saveToRecentList();
    const std::vector<VMCFileNaming>& recentNamings() const { return mRecent; }

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
    std::function<NamingDialogContext()> mContextProvider;
    std::shared_ptr<VMCDynamicNamingDialogV2> mDialog;
    std::optional<VMCFileNaming> mNaming;
    std::optional<VAEncoderDesc> mEncoder;
    std::vector<VMCFileNaming> mRecent;
    std::vector<VMCOutputLocationPickerEntry> mEntries;
    std::optional<std::size_t> mSelected;
    Pending mPending = Pending::kNone;
};
