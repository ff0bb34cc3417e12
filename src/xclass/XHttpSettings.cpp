#include "XHttpSettings.h"

#include "XRegistry.h"

void XHttpSettings::readProxyFromStore() {
    proxyOn = XRegistry::GetDWORD("CD-Proxy") != 0;
    proxyHost = XRegistry::GetString("CD-CDDBProxyServer").trimmed();
    const XStr port = XRegistry::GetString("CD-CDDBProxyPort").trimmed();
    const int64_t number = port.toInt64();
    proxyPort = number >= 1 && number <= 65535 ? static_cast<uint16_t>(number) : 80;
    proxyUser = XRegistry::GetString("CD-CDDBProxyUser");
    proxyPassword = XRegistry::GetString("CD-CDDBProxyPass");
}

XHttpSettings XHttpSettings::withStoredProxy() {
    XHttpSettings settings;
    settings.readProxyFromStore();
    return settings;
}
