// The panel that puts the files to join in order: the files (name, length, folder) in a
// list whose rows are dragged to their place or moved with Ctrl+Up and Ctrl+Down, buttons
// to move, remove and add files, the total length, Back (Escape) and Join (Return).
#pragma once

#include <QWidget>
#include <memory>

#include "VAConcatenateOrderDialog.h"

class QLabel;
class QPushButton;
class VMCEffectListWidget;

class VAConcatenateOrderDialogView : public QWidget, public VAConcatenateOrderDialog::View {
    Q_OBJECT

public:
    explicit VAConcatenateOrderDialogView(std::shared_ptr<VAConcatenateOrderDialog> dialog,
                                          QWidget* parent = nullptr);
    ~VAConcatenateOrderDialogView() override;

    VAConcatenateOrderDialog& dialog() const { return *mDialog; }
    VMCEffectListWidget* list() const { return mList; }
    QLabel* statusLabel() const { return mStatus; }
    QLabel* totalLabel() const { return mTotal; }
    QPushButton* joinButton() const { return mJoin; }
    QPushButton* backButton() const { return mBack; }

    void filesChanged() override;

Q_SIGNALS:
    // The file chooser of Add Files is on screen.
    void dialogShown(QWidget* dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void move(int from, int to);
    void selectRow(int row);
    void updateButtons();
    void chooseFilesToAdd();

    std::shared_ptr<VAConcatenateOrderDialog> mDialog;
    QLabel* mStatus;
    VMCEffectListWidget* mList;
    QPushButton* mUp;
    QPushButton* mDown;
    QPushButton* mRemove;
    QPushButton* mAdd;
    QLabel* mTotal;
    QPushButton* mBack;
    QPushButton* mJoin;
};
