// The status log panel's logic: its title, which tabs exist, the rows of each tab, the copy
// text and the buttons. A view shows it and puts the copy text on the clipboard.
#pragma once

#include <memory>
#include <vector>

#include "VMCStatusLogContext.h"

class VMCStatusLogView {
public:
    virtual ~VMCStatusLogView() = default;
    virtual void setClipboardText(const XStr& text) = 0;
    // The selected tab or anything the buttons show has changed.
    virtual void refresh() = 0;
};

class VMCStatusLogDialog {
public:
    enum class Tab { kErrors, kInformation };

    struct Row {
        bool header = false;
        XStr text;
        std::optional<XStr> imageName;
        int height = 20;
    };

    explicit VMCStatusLogDialog(VMCStatusLogContext context);
    void setView(VMCStatusLogView* view) { mView = view; }

    XStr panelName() const;
    // The tabs that exist, in order; the errors tab comes first when it is there.
    std::vector<Tab> tabs() const;
    static XStr tabLabel(Tab tab);
    Tab selectedTab() const { return mSelected; }
    void selectTab(Tab tab);
    // Every entry expanded: its header, then its lines.
    std::vector<Row> rows(Tab tab) const;

    XStr copyButtonTitle() const;
    bool copyButtonEnabled() const;
    bool reconvertButtonVisible() const;
    // The log of the selected tab as it goes to the clipboard.
    XStr copyText() const;

    void onCopy();
    void onReConvert();
    void onOK();
    void cancelOperation();
    void onCloseAndEject();

    static XStr formatHeaderFor(const VMCStatusLogEntry& entry, bool errors);
    const VMCStatusLogContext& context() const { return mContext; }

private:
    const std::vector<VMCStatusLogEntry>& entriesOf(Tab tab) const;
    void leave();

    VMCStatusLogContext mContext;
    Tab mSelected;
    VMCStatusLogView* mView = nullptr;
};
