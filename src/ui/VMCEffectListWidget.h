// The list of an effect chain: one row per effect, reordered by dragging a row to its new
// place. A drop is not carried out by the list itself: it asks for the move, and the chain
// is shown again once its owner made it.
#pragma once

#include <QListWidget>

class VMCEffectListWidget : public QListWidget {
    Q_OBJECT

public:
    explicit VMCEffectListWidget(QWidget* parent = nullptr);

    // The position a row dragged from row from ends up at when dropped at the point (in the
    // viewport's coordinates): before the row under the point's upper half, after it for
    // its lower half, last below the rows.
    int dropRow(int from, const QPoint& position) const;
    // Public so that a test can drop without a drag in flight, which needs a platform that
    // carries one.
    void dropEvent(QDropEvent* event) override;

Q_SIGNALS:
    void moveRequested(int from, int to);
    // Delete or Backspace on a row.
    void removeRequested(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
