// The start-up benchmark's probe (vantaro-video --report-start): once the first window has
// been exposed and drawn, prints "shown <ns> <title>" with the time on the monotonic clock
// the benchmark started the program on; a moment later, with nothing to do in between,
// "idle-rss-kb <kB>" (the resident memory of the idle program), then quits.
#pragma once

#include <QObject>
#include <cstdio>

class VMCStartReport : public QObject {
    Q_OBJECT

public:
    // Watches every window of the application; install it before the first one is shown.
    static void install(QObject* application, std::FILE* out);

    bool eventFilter(QObject* watched, QEvent* event) override;

    // How long the program stays idle before its memory is read.
    static constexpr int kIdleMs = 1000;

private:
    VMCStartReport(QObject* parent, std::FILE* out) : QObject(parent), mOut(out) {}
    void shown(const QString& title);
    void idle();

    std::FILE* mOut;
    bool mSeen = false;
};
