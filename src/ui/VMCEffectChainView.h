// The effect chain of the setup panel: the effects in order, and buttons to add one from
// the effect menu, open its settings, remove it, move it up or down, and to load and save
// presets. Rows are reordered by dragging as well.
#pragma once

#include <QWidget>

#include "VMCEffectChainEditor.h"

class QMenu;
class QPushButton;
class VMCEffectListWidget;

class VMCEffectChainView : public QWidget, public VMCEffectChainEditor::View {
    Q_OBJECT

public:
    // The editor outlives the view, or is told first (detach).
    explicit VMCEffectChainView(VMCEffectChainEditor& editor, QWidget* parent = nullptr);
    ~VMCEffectChainView() override;

    void detach();

    VMCEffectListWidget* list() const { return mList; }
    QMenu* addMenu() const { return mAddMenu; }
    // The widgets that take the keyboard focus, in the order the user tabs through them.
    QList<QWidget*> focusWidgets() const;

    void effectsChanged() override;
    void runEffectSettings(std::unique_ptr<VMCDSPPage> page, const XStr& effectName) override;
    void runPresetChooser(bool save, const XStr& title) override;
    void showAlert(const XStr& message) override;
    void showFFmpegInstall() override;

Q_SIGNALS:
    // A settings window, a preset chooser or an alert is on screen.
    void dialogShown(QWidget* dialog);

private:
    void buildAddMenu();
    void updateButtons();
    int selectedRow() const;
    void selectRow(int row);

    VMCEffectChainEditor* mEditor;
    VMCEffectListWidget* mList;
    QMenu* mAddMenu;
    QPushButton* mAdd;
    QPushButton* mSettings;
    QPushButton* mRemove;
    QPushButton* mUp;
    QPushButton* mDown;
    QPushButton* mLoad;
    QPushButton* mSave;
};
