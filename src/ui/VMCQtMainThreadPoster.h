// The main-thread posting of the desktop program: closures travel through Qt's event queue
// to an object that lives on the main thread, so they run there in the order posted.
#pragma once

#include <QObject>

#include "XMainThread.h"

class VMCQtMainThreadPoster : public XMainThreadPoster {
public:
    // The receiver lives on the main thread (the application object) and outlives the
    // poster's time as XMainThread's poster.
    explicit VMCQtMainThreadPoster(QObject* receiver) : mReceiver(receiver) {}

    void post(std::function<void()> work) override;

private:
    QObject* mReceiver;
};
