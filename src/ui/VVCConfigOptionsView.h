// The converter's options window, opened from the menu (Preferences, Ctrl+,): four switches
// and the ways to the file-name character rules and to the FFmpeg window; the switches are
// written when it closes. One window for the whole program.
#pragma once

#include <QDialog>

#include "VVCConfigOptions.h"

class QCheckBox;
class QPushButton;

class VVCConfigOptionsView : public QDialog, public VVCConfigOptions::View {
    Q_OBJECT

public:
    explicit VVCConfigOptionsView(QWidget* parent = nullptr);
    ~VVCConfigOptionsView() override;

    // Shows the window, made when there is none, raised when there is one.
    static VVCConfigOptionsView* showOptions(QWidget* parent);

    QCheckBox* profilesBox() const { return mProfiles; }
    QCheckBox* audioOnlyBox() const { return mAudioOnly; }
    QCheckBox* betaBox() const { return mBeta; }
    QCheckBox* debugBox() const { return mDebug; }
    QPushButton* charactersButton() const { return mCharacters; }
    QPushButton* ffmpegButton() const { return mFFmpeg; }

    void runFileNameOptions() override;

Q_SIGNALS:
    // The character rules' sheet, or the FFmpeg window, is on screen.
    void sheetShown(QWidget* sheet);

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    VVCConfigOptions mOptions;
    QCheckBox* mProfiles;
    QCheckBox* mAudioOnly;
    QCheckBox* mBeta;
    QCheckBox* mDebug;
    QPushButton* mCharacters;
    QPushButton* mFFmpeg;
    bool mWritten = false;
};
