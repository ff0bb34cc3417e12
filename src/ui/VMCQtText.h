// Text across the boundary to Qt: UTF-8 both ways for what people read, the system's bytes
// for paths.
#pragma once

#include <QString>
#include <QStringList>

#include "XStr.h"

namespace VMCQtText {

QString toQt(const XStr& text);
QStringList toQt(const XStrList& texts);
XStr fromQt(const QString& text);
// A path Qt handed over (a file chooser, a drop) as the bytes the system knows it by.
XStr pathFromQt(const QString& path);
// A control's title on a button or label, where "&" would mark a shortcut key.
QString mnemonicSafe(const XStr& text);

}  // namespace VMCQtText
