// The converter's panel for the chosen sources: how many, their names, and the way back.
#pragma once

#include <QWidget>
#include <memory>

#include "VMCSourcesPanel.h"

class VMCSourcesPanelView : public QWidget {
    Q_OBJECT

public:
    explicit VMCSourcesPanelView(std::shared_ptr<VMCSourcesPanel> panel, QWidget* parent = nullptr);

private:
    std::shared_ptr<VMCSourcesPanel> mPanel;
};
