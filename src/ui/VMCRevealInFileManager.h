// Shows files in the desktop's file manager: selected in their folder through the file
// managers' common D-Bus interface when one answers, else their folder opened.
#pragma once

#include <QDBusConnection>
#include <QStringList>
#include <functional>

#include "XStr.h"

namespace VMCRevealInFileManager {

constexpr const char* kService = "org.freedesktop.FileManager1";
constexpr const char* kPath = "/org/freedesktop/FileManager1";
constexpr const char* kInterface = "org.freedesktop.FileManager1";

// The file URLs the paths are shown as.
QStringList fileURLs(const XStrList& paths);
void reveal(const XStrList& paths);
// False when no file manager offers the interface on that bus.
bool revealOn(QDBusConnection bus, const QStringList& urls);
// Tests see what would be shown instead (an empty function puts the desktop back).
void setHandlerForTests(std::function<void(const QStringList& urls)> handler);

}  // namespace VMCRevealInFileManager
