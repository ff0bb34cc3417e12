// The dialog that names a new batch-converter profile: any name that is not in the list
// of names already taken, and whether the new profile starts as a copy of the current one.
#pragma once

#include <optional>

#include "XStr.h"

class VMCChooseProfileNameView {
public:
    virtual ~VMCChooseProfileNameView() = default;
    virtual void showAlert(const XStr& message) = 0;
};

class VMCChooseProfileName {
public:
    static constexpr const char* kPlaceholder = "<profile name here>";

    explicit VMCChooseProfileName(VMCChooseProfileNameView* view) : mView(view) {}

    XStr nameFieldText() const { return kPlaceholder; }
    // The field's whole text starts selected, so that typing replaces it.
    bool selectsAllText() const { return true; }
    // Without a list every name is accepted.
    void setInvalidNames(std::optional<XStrList> names) { mInvalidNames = std::move(names); }
    bool copyCurrent() const { return mCopyCurrent; }
    void setCopyCurrent(bool on) { mCopyCurrent = on; }

    // False, after the alert, for a name in the list: the dialog stays open.
    bool onOK(const XStr& name);
    const XStr& chosenName() const { return mChosen; }

private:
    VMCChooseProfileNameView* mView;
    std::optional<XStrList> mInvalidNames;
    bool mCopyCurrent = false;
    XStr mChosen;
};
