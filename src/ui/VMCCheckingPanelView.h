// The checking panel: a small progress view while every output file is planned and looked
// for, and the place the existing-files sheet comes down over.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "VMCCheckingPanel.h"
#include "VMCFileAlreadyExistsSheet.h"

class QLabel;
class QProgressBar;
class QTimer;

class VMCCheckingPanelView : public QWidget, public VMCCheckingPanel::View {
    Q_OBJECT

public:
    explicit VMCCheckingPanelView(std::shared_ptr<VMCCheckingPanel> panel,
                                  QWidget* parent = nullptr);
    ~VMCCheckingPanelView() override;

    // The sheet while it is up.
    VMCFileAlreadyExistsSheet* sheet() const { return mSheet; }

    void sheetOpened() override;
    void sheetItemsChanged() override;
    void sheetClosed() override;

Q_SIGNALS:
    // The sheet is on screen.
    void sheetShown(VMCFileAlreadyExistsSheet* sheet);

private:
    void refresh();

    std::shared_ptr<VMCCheckingPanel> mPanel;
    QLabel* mStatus;
    QProgressBar* mBar;
    QTimer* mTimer;
    QPointer<VMCFileAlreadyExistsSheet> mSheet;
};
