// A converter window: shows its host's current panel, one at a time, under the menu bar.
#pragma once

#include <QMainWindow>
#include <memory>

#include "VMCPanelHost.h"
#include "VMCPanelHostView.h"

class VMCPanelHostWindow : public QMainWindow, public VMCPanelHostView {
    Q_OBJECT

public:
    // The window takes the host; it deletes itself when closed.
    explicit VMCPanelHostWindow(std::unique_ptr<VMCPanelHost> host, QWidget* parent = nullptr);
    ~VMCPanelHostWindow() override;

    // A new window with the launcher, shown.
    static VMCPanelHostWindow* openLauncher();
    // A new window for files handed over from outside, shown with them in the converter.
    static VMCPanelHostWindow* openForSources(const XStrList& paths);
    // A new window for folders handed over from outside, shown in the batch converter with
    // them ticked.
    static VMCPanelHostWindow* openForFolders(const XStrList& paths);

    VMCPanelHost& host() const { return *mHost; }
    // The current panel's view.
    QWidget* panelView() const { return centralWidget(); }

    void showPanel(const std::shared_ptr<VMCPanel>& panel) override;
    void setWindowTitle(const XStr& title) override;
    void setWindowSize(VMCPanelSize size, VMCPanelSize minimum, bool resizable) override;
    void closeWindow() override;
    void runOpenFileDialog() override;
    void showSourcesError(const XStr& message) override;

    // The settings key of the folder files were last chosen from.
    static constexpr const char* kSourceFolderKey = "SourceFolder";

Q_SIGNALS:
    // The file chooser is on screen.
    void openFileDialogShown(QWidget* dialog);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Files and folders dropped anywhere on the window, while the host takes sources.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();

    std::unique_ptr<VMCPanelHost> mHost;
    bool mSizing = false;
};
