// The root panel of a converter window: the applications the user can start.
#pragma once

#include <vector>

#include "VMCPanel.h"
#include "VMCPanelHostBase.h"
#include "XStr.h"

class VMCPanelHost;

class VMCLauncher : public VMCPanel {
public:
    struct Entry {
        XStr title;
        XStr subtitle;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    explicit VMCLauncher(VMCPanelHost& host) : mHost(host) {}

    // In the order shown.
    std::vector<Entry> entries() const;
    // The user chose the entry of that title; an unknown title does nothing.
    void openEntry(const XStr& title);

    XStr panelName() const override { return VMCPanelHostBase::kApplicationName; }
    XStr panelSizeClass() const override { return "Launcher"; }
    bool resizable() const override { return false; }

    static constexpr const char* kVideoConverter = "Video Converter";
    static constexpr const char* kVideoConverterSubtitle = "video conversion";
    static constexpr const char* kBatchConverter = "Batch Converter";
    static constexpr const char* kBatchConverterSubtitle = "mass file conversion";
    static constexpr const char* kJoinFiles = "Join Files";
    static constexpr const char* kJoinFilesSubtitle = "several clips into one video";

private:
    VMCPanelHost& mHost;
};
