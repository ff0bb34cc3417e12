// The note to the desktop at the end of a conversion, on a private session bus with a
// notification service of the test's own.
#include "VMCDesktopNotifier.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <optional>

#include "TestSupport.h"

namespace {

constexpr int kDeadlineMs = 60000;

// A notification server that keeps the arguments of every call it is sent.
class FakeNotifications : public QDBusVirtualObject {
public:
    QString introspect(const QString& /*path*/) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != QLatin1String(VMCDesktopNotifier::kInterface) ||
            message.member() != QLatin1String("Notify")) {
            return false;
        }
        calls.push_back(message.arguments());
        connection.send(message.createReply(QVariantList{QVariant::fromValue(1U)}));
        return true;
    }
    std::vector<QVariantList> calls;
};

// A session bus for the test alone, ended with the object. It starts no service of the
// system's on demand, so no real notification server answers.
class PrivateBus {
public:
    PrivateBus() {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            return;
        }
        const std::string config = mDir.file("bus.conf");
        writeTextFile(config,
                      "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                      "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/"
                      "busconfig.dtd\">\n"
                      "<busconfig><type>session</type><listen>unix:tmpdir=" +
                          mDir.path() +
                          "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                          "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                          "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
                          "</busconfig>\n");
        mProcess.start(daemon, {QStringLiteral("--config-file=") + QString::fromStdString(config),
                                QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        const QDeadlineTimer deadline(kDeadlineMs);
        while (!mProcess.canReadLine() && !deadline.hasExpired() &&
               mProcess.state() != QProcess::NotRunning) {
            mProcess.waitForReadyRead(100);
        }
        mAddress = QString::fromUtf8(mProcess.readLine()).trimmed();
    }
    ~PrivateBus() {
        mProcess.kill();
        mProcess.waitForFinished(kDeadlineMs);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    const QString& address() const { return mAddress; }

private:
    TestTempDir mDir;
    QProcess mProcess;
    QString mAddress;
};

// The arguments of the one call the server got; none when it got no call in time.
std::optional<QVariantList> sendAndReceive(const QString& address) {
    FakeNotifications server;
    QDBusConnection service = QDBusConnection::connectToBus(address, QStringLiteral("svc"));
    QDBusConnection sender = QDBusConnection::connectToBus(address, QStringLiteral("app"));
    EXPECT_TRUE(service.isConnected());
    EXPECT_TRUE(sender.isConnected());

    // Nobody serves notes yet: the note is lost and nothing waits for it.
    VMCDesktopNotifier::notifyOn(sender, VMCConversionNotice{"lost", "lost"});

    EXPECT_TRUE(service.registerVirtualObject(QLatin1String(VMCDesktopNotifier::kPath), &server));
    EXPECT_TRUE(service.registerService(QLatin1String(VMCDesktopNotifier::kService)));
    VMCDesktopNotifier::notifyOn(sender, VMCConversionNotice{"Conversion finished with errors",
                                                             "1 file converted, 1 failed"});
    const QDeadlineTimer deadline(kDeadlineMs);
    while (server.calls.empty() && !deadline.hasExpired()) {
        QTest::qWait(20);
    }
    service.unregisterObject(QLatin1String(VMCDesktopNotifier::kPath));
    service.unregisterService(QLatin1String(VMCDesktopNotifier::kService));
    EXPECT_LE(server.calls.size(), 1u);
    return server.calls.empty() ? std::nullopt : std::optional<QVariantList>(server.calls[0]);
}

TEST(VMCDesktopNotifier, TellsTheNotificationServiceWithoutWaiting) {
    const PrivateBus bus;
    if (bus.address().isEmpty()) {
        GTEST_SKIP() << "no dbus-daemon to run a private session bus";
    }
    const std::optional<QVariantList> args = sendAndReceive(bus.address());
    QDBusConnection::disconnectFromBus(QStringLiteral("svc"));
    QDBusConnection::disconnectFromBus(QStringLiteral("app"));
    ASSERT_TRUE(args.has_value());
    ASSERT_EQ(args->size(), 8);
    EXPECT_EQ(args->at(0).toString(), QStringLiteral("Vantaro Video Converter"));
    EXPECT_EQ(args->at(1).toUInt(), 0U);
    EXPECT_EQ(args->at(3).toString(), QStringLiteral("Conversion finished with errors"));
    EXPECT_EQ(args->at(4).toString(), QStringLiteral("1 file converted, 1 failed"));
    EXPECT_EQ(args->at(7).toInt(), -1);
}

}  // namespace
