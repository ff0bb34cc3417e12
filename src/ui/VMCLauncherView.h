// The launcher panel: one large button per application, with its subtitle; below them the
// link to a newer version when the update check finds one.
#pragma once

#include <QWidget>
#include <memory>

#include "VMCLauncher.h"
#include "VMCUpdateLink.h"

class QPushButton;

class VMCLauncherView : public QWidget, public VMCUpdateLinkView {
    Q_OBJECT

public:
    explicit VMCLauncherView(std::shared_ptr<VMCLauncher> launcher, QWidget* parent = nullptr);
    ~VMCLauncherView() override;

    // Hidden until the check has found another version.
    QPushButton* updateLink() const { return mUpdateLink; }

    // VMCUpdateLinkView
    void showUpdateLink(const XStr& text) override;
    void openURL(const XStr& url) override;

private:
    std::shared_ptr<VMCLauncher> mLauncher;
    QPushButton* mUpdateLink;
    // Last: its check ends before the label it reports to goes.
    std::shared_ptr<VMCUpdateLink> mUpdate;
};
