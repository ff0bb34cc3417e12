// The sheet shown when planned outputs exist already: the colliding outputs with a check
// box each (checked: convert over the old file) and a name the user may change. It works on
// the check's state, on the main thread, after the check has finished.
#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include "VMCCheckFilenamesState.h"

class VMCFileAlreadyExistsView {
public:
    virtual ~VMCFileAlreadyExistsView() = default;
    // 1: convert what is checked; 0: go back without converting.
    virtual void endSheet(int code) = 0;
    // The items' check marks or names changed.
    virtual void itemsChanged() {}
};

class VMCFileAlreadyExistsDialog : public std::enable_shared_from_this<VMCFileAlreadyExistsDialog> {
public:
    VMCFileAlreadyExistsDialog(std::shared_ptr<VMCCheckFilenamesState> state,
                               VMCFileAlreadyExistsView* view);

    // The entries whose destination exists, in entry order, each destination once.
    const std::vector<std::size_t>& items() const { return mItems; }
    std::size_t count() const { return mItems.size(); }
    bool checked(std::size_t item) const;
    // Every output of the item's destination follows its check box.
    void setChecked(std::size_t item, bool on);
    // The destination as people read it.
    XStr displayPath(std::size_t item) const;
    // The destination becomes the file the typed name stands for, with the old extension.
    // A renamed destination is not tested again.
    void setDisplayPath(const XStr& name, std::size_t item);
    void appendToAll(const XStr& suffix);
    // What the sheet says above its list.
    XStr messageText() const;

    void onButtonOverwrite();
    void onButtonNoToAll();
    void onButtonCancel();
    void onMenuCheckAll();
    void onMenuUncheckAll();
    // " - " and the date and time, with every "/" as "-", after every name.
    void onMenuAppendDate();
    static XStr dateSuffix(std::time_t now);
    void setClock(std::function<std::time_t()> clock) { mClock = std::move(clock); }

    bool ended() const { return mEnded; }

private:
    // Ends through the main thread, so that any button handler may end the sheet; the
    // first ending counts.
    void endSheetDelayed(int code);
    void changed();

    std::shared_ptr<VMCCheckFilenamesState> mState;
    VMCFileAlreadyExistsView* mView;
    std::vector<std::size_t> mItems;
    std::function<std::time_t()> mClock;
    bool mEnded = false;
};
