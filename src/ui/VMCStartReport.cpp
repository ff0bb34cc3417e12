#include "VMCStartReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <fstream>
#include <string>

namespace {

// VmRSS of /proc/self/status in kB; 0 when the system does not say.
long residentKB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

}  // namespace

void VMCStartReport::install(QObject* application, std::FILE* out) {
    application->installEventFilter(new VMCStartReport(application, out));
}

bool VMCStartReport::eventFilter(QObject* watched, QEvent* event) {
    if (!mSeen && event->type() == QEvent::Expose) {
        auto* window = qobject_cast<QWindow*>(watched);
        if (window != nullptr && window->isExposed()) {
            mSeen = true;
            // Queued: the window draws itself on this very event, after the filter.
            QMetaObject::invokeMethod(
                this, [this, title = window->title()] { shown(title); }, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void VMCStartReport::shown(const QString& title) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    std::fprintf(mOut, "shown %lld %s\n", static_cast<long long>(ns), title.toUtf8().constData());
    std::fflush(mOut);
    QTimer::singleShot(kIdleMs, this, [this] { idle(); });
}

void VMCStartReport::idle() {
    std::fprintf(mOut, "idle-rss-kb %ld\n", residentKB());
    std::fflush(mOut);
    QCoreApplication::quit();
}
