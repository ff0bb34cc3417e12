// The bug report's window: what went wrong, in the fixed-pitch font, with Save (a copy
// where the user wants it), Technical Support (the forum in the browser) and Close. The
// window keeps its controller alive while it is open.
#pragma once

#include <QDialog>
#include <memory>

#include "VMCErrorHandler.h"

class QPlainTextEdit;
class QPushButton;

class VMCErrorHandlerWindow : public QDialog {
    Q_OBJECT

public:
    explicit VMCErrorHandlerWindow(std::shared_ptr<VMCErrorHandler> handler,
                                   QWidget* parent = nullptr);

    // Every report from now on opens a window of its own.
    static void installPresenter();
    // The reports that runs ended by a fatal signal left unseen, one window each.
    static void showUnseenReports();

    VMCErrorHandler& handler() const { return *mHandler; }
    QPlainTextEdit* textView() const { return mText; }
    QPushButton* saveButton() const { return mSave; }
    QPushButton* supportButton() const { return mSupport; }

    // The report written to the file; false, after an alert, when it could not be.
    bool saveTo(const QString& path);

Q_SIGNALS:
    // The save chooser or an alert is on screen.
    void dialogShown(QWidget* dialog);

private:
    void chooseSaveFile();

    std::shared_ptr<VMCErrorHandler> mHandler;
    QPlainTextEdit* mText;
    QPushButton* mSave;
    QPushButton* mSupport;
};
