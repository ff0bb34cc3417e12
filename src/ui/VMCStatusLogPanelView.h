// The status log: the errors and the information of a conversion, each job's lines under
// its header, with copying to the clipboard and converting the failed files again.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "VMCStatusLogPanel.h"

class QPushButton;
class QTabWidget;
class QTreeView;

class VMCStatusLogPanelView : public QWidget, public VMCStatusLogView {
    Q_OBJECT

public:
    explicit VMCStatusLogPanelView(std::shared_ptr<VMCStatusLogPanel> panel,
                                   QWidget* parent = nullptr);
    ~VMCStatusLogPanelView() override;

    // The list of a tab; null when the log has no such tab.
    QTreeView* listOf(VMCStatusLogDialog::Tab tab) const;

    void setClipboardText(const XStr& text) override;
    void refresh() override;

private:
    std::shared_ptr<VMCStatusLogPanel> mPanel;
    std::vector<VMCStatusLogDialog::Tab> mTabs;
    QTabWidget* mTabWidget;
    QPushButton* mCopy;
    QPushButton* mReconvert;
};
