// The settings window of one effect: its page drawn by the renderer, OK and Cancel. OK
// closes only when the page accepts its settings; what it objects to is shown above the
// buttons.
#pragma once

#include <QDialog>
#include <memory>

#include "VMCDSPPage.h"

class QLabel;
class VMCPageWidget;

class VMCDSPSettingsWindow : public QDialog {
    Q_OBJECT

public:
    // The page holds the effect's settings already (setDspArgs).
    VMCDSPSettingsWindow(std::unique_ptr<VMCDSPPage> page, const XStr& effectName,
                         QWidget* parent = nullptr);
    ~VMCDSPSettingsWindow() override;

    VMCDSPPage& page() const { return *mPage; }
    VMCPageWidget* pageWidget() const { return mPageWidget; }
    // The argument text of the settings shown.
    XStr dspArgs() const { return mPage->dspArgs(); }
    // What the page objected to at the last OK; empty when nothing is shown.
    QString objection() const;

    void accept() override;

private:
    std::unique_ptr<VMCDSPPage> mPage;
    VMCPageWidget* mPageWidget;
    QWidget* mObjection;
    QLabel* mObjectionText;
};
