// What the screenshot scenes share: waiting for a state, a home folder of their own, and a
// window and its open pop-up in one picture.
#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <cstdio>

namespace ScreenshotSupport {

// Each scene waits for its state; a machine busy with other work gets time.
template <typename Condition>
bool waitFor(Condition condition, const char* what) {
    const QDeadlineTimer deadline(60000);
    while (!condition()) {
        if (deadline.hasExpired()) {
            std::fprintf(stderr, "never reached: %s\n", what);
            return false;
        }
        QTest::qWait(10);
    }
    return true;
}

// HOME is an empty temporary folder while this lives, so that paths read as they do for a
// user and nothing of the real home shows.
class TemporaryHome {
public:
    TemporaryHome() : mOldHome(qgetenv("HOME")) { qputenv("HOME", mDir.path().toUtf8()); }
    ~TemporaryHome() { qputenv("HOME", mOldHome); }
    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    QString filePath(const QString& name) const { return mDir.filePath(name); }

private:
    QTemporaryDir mDir;
    QByteArray mOldHome;
};

// A window with a menu or drop-down open on it, as one picture.
inline QPixmap withPopup(QWidget* window, QWidget* popup) {
    const QRect windowRect(window->mapToGlobal(QPoint(0, 0)), window->size());
    const QRect popupRect(popup->mapToGlobal(QPoint(0, 0)), popup->size());
    const QRect all = windowRect.united(popupRect);
    QPixmap picture(all.size());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.drawPixmap(windowRect.topLeft() - all.topLeft(), window->grab());
    painter.drawPixmap(popupRect.topLeft() - all.topLeft(), popup->grab());
    painter.end();
    return picture;
}

}  // namespace ScreenshotSupport
