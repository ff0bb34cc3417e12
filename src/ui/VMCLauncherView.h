// The launcher panel: one large button per application, with its subtitle.
#pragma once

#include <QWidget>
#include <memory>

#include "VMCLauncher.h"

class VMCLauncherView : public QWidget {
    Q_OBJECT

public:
    explicit VMCLauncherView(std::shared_ptr<VMCLauncher> launcher, QWidget* parent = nullptr);

private:
    std::shared_ptr<VMCLauncher> mLauncher;
};
