// The progress panel: the overall bar and its labels, one row per encoder slot, the number
// of encoders, pause, cancel or finish, what happens when everything is done, and the log.
// Labels are recomputed on a timer so the clock runs between reports; nothing here touches
// the disk or a process.
#pragma once

#include <QWidget>
#include <memory>

#include "VMCProgressPanel.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeView;
class VMCProgressSlotModel;

class VMCProgressPanelView : public QWidget, public VMCProgressView {
    Q_OBJECT

public:
    explicit VMCProgressPanelView(std::shared_ptr<VMCProgressPanel> panel,
                                  QWidget* parent = nullptr);
    ~VMCProgressPanelView() override;

    void labelsUpdated() override;
    void jobStarted(uint32_t job, const VMCCPU& slot) override;
    void jobFinished(uint32_t job, bool hadErrors) override;
    void allDone() override;

    // How often the labels are recomputed while converting.
    static constexpr int kTickMs = 500;

private:
    void buildEncoderMenu();
    void refreshButtons();
    void encoderCountChosen(int index);

    std::shared_ptr<VMCProgressPanel> mPanel;
    std::shared_ptr<VMCProgressDialog> mDialog;
    QLabel* mMain;
    QProgressBar* mBar;
    QLabel* mElapsed;
    QLabel* mLeft;
    QLabel* mSpeed;
    QTreeView* mSlots;
    VMCProgressSlotModel* mSlotModel;
    QComboBox* mAfter;
    QComboBox* mEncoders;
    QPushButton* mOptions;
    QPushButton* mShowLog;
    QPushButton* mPause;
    QPushButton* mCancel;
    QTimer* mTimer;
};
