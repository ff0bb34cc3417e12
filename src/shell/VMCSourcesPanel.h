// The converter's panel for the chosen sources until the setup panel takes its place: it
// lists the files and leads back to the panel that opened it.
#pragma once

#include <memory>
#include <vector>

#include "VAConvertSource.h"
#include "VMCLauncher.h"
#include "VMCPanel.h"

class VMCPanelHost;

class VMCSourcesPanel : public VMCPanel {
public:
    VMCSourcesPanel(VMCPanelHost& host, std::vector<std::shared_ptr<VAConvertSource>> sources)
        : mHost(host), mSources(std::move(sources)) {}

    // "No files", "1 file", "%u files".
    XStr fileCountText() const;
    // The name each source is shown under, safe to show, in source order.
    XStrList fileNames() const;
    // Back to the panel that opened this one.
    void goBack();

    // Named after the application the launcher started.
    XStr panelName() const override { return VMCLauncher::kVideoConverter; }
    XStr panelSizeClass() const override { return "Converter Setup"; }
    VMCPanelSize minimumSize() const override { return {480, 320}; }
    VMCPanelSize preferredSize() const override { return {640, 480}; }

private:
    VMCPanelHost& mHost;
    std::vector<std::shared_ptr<VAConvertSource>> mSources;
};
