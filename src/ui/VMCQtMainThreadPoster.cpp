#include "VMCQtMainThreadPoster.h"

#include <QMetaObject>

void VMCQtMainThreadPoster::post(std::function<void()> work) {
    if (work) {
        QMetaObject::invokeMethod(mReceiver, std::move(work), Qt::QueuedConnection);
    }
}
