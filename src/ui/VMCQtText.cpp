#include "VMCQtText.h"

#include <QFile>

namespace VMCQtText {

QString toQt(const XStr& text) {
    const std::string utf8 = text.displayUtf8();
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QStringList toQt(const XStrList& texts) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(texts.size()));
    for (const XStr& text : texts) {
        out.push_back(toQt(text));
    }
    return out;
}

XStr fromQt(const QString& text) {
    return XStr(text.toUtf8().toStdString());
}

XStr pathFromQt(const QString& path) {
    return XStr(QFile::encodeName(path).toStdString());
}

QString mnemonicSafe(const XStr& text) {
    QString out = toQt(text);
    out.replace(QLatin1Char('&'), QLatin1String("&&"));
    return out;
}

}  // namespace VMCQtText
