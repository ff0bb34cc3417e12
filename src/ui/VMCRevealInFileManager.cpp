#include "VMCRevealInFileManager.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>
#include <cstdlib>

#include "XPath.h"

namespace VMCRevealInFileManager {

namespace {

std::function<void(const QStringList&)>& testHandler() {
    static std::function<void(const QStringList&)> handler;
    return handler;
}

QUrl fileURL(const XStr& path) {
    return QUrl::fromLocalFile(QFile::decodeName(path.utf8().c_str()));
}

}  // namespace

QStringList fileURLs(const XStrList& paths) {
    QStringList urls;
    for (const XStr& path : paths) {
        urls.push_back(fileURL(path).toString(QUrl::FullyEncoded));
    }
    return urls;
}

void reveal(const XStrList& paths) {
    if (paths.empty()) {
        return;
    }
    const QStringList urls = fileURLs(paths);
    if (testHandler()) {
        testHandler()(urls);
        return;
    }
    // Without an address the bus library would try to start a bus of its own.
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0' && revealOn(QDBusConnection::sessionBus(), urls)) {
        return;
    }
    QDesktopServices::openUrl(fileURL(XPath::folderOf(paths.front())));
}

bool revealOn(QDBusConnection bus, const QStringList& urls) {
    if (!bus.isConnected() || bus.interface() == nullptr) {
        return false;
    }
    const QString service = QLatin1String(kService);
    bool offered = bus.interface()->isServiceRegistered(service);
    if (!offered) {
        // A file manager the bus starts on demand counts too.
        const QDBusReply<QStringList> activatable = bus.call(QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames")));
        offered = activatable.isValid() && activatable.value().contains(service);
    }
    if (!offered) {
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, QLatin1String(kPath), QLatin1String(kInterface), QStringLiteral("ShowItems"));
    call << urls << QString();
    bus.asyncCall(call);
    return true;
}

void setHandlerForTests(std::function<void(const QStringList& urls)> handler) {
    testHandler() = std::move(handler);
}

}  // namespace VMCRevealInFileManager
