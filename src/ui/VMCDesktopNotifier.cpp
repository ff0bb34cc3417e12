#include "VMCDesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QVariantMap>
#include <cstdlib>

#include "VMCPanelHostBase.h"
#include "VMCQtText.h"

namespace VMCDesktopNotifier {

void notify(const VMCConversionNotice& notice) {
    // Without an address the bus library would try to start a bus of its own.
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address == nullptr || *address == '\0') {
        return;
    }
    notifyOn(QDBusConnection::sessionBus(), notice);
}

void notifyOn(QDBusConnection bus, const VMCConversionNotice& notice) {
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(QLatin1String(kService), QLatin1String(kPath),
                                       QLatin1String(kInterface), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("category"), QStringLiteral("transfer.complete"));
    call << QString::fromUtf8(VMCPanelHostBase::kApplicationName)  // app_name
         << 0U                                                     // replaces_id
         << QString()                                              // app_icon
         << VMCQtText::toQt(notice.summary) << VMCQtText::toQt(notice.body)
         << QStringList()  // actions
         << hints << -1;   // expire_timeout: the server's default
    // The answer (the note's id, or an error when no service runs) is of no use here.
    bus.asyncCall(call);
}

}  // namespace VMCDesktopNotifier
