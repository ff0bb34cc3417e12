// Notes to the desktop through its notification service (org.freedesktop.Notifications on
// the session bus). Sent without waiting for an answer; without a session bus or a service
// nothing happens.
#pragma once

#include <QDBusConnection>

#include "VMCConversionNotice.h"

namespace VMCDesktopNotifier {

// On the user's session bus, when the session has one.
void notify(const VMCConversionNotice& notice);
// On the given bus.
void notifyOn(QDBusConnection bus, const VMCConversionNotice& notice);

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr const char* kInterface = "org.freedesktop.Notifications";

}  // namespace VMCDesktopNotifier
