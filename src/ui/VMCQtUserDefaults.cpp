#include "VMCQtUserDefaults.h"

#include <QByteArray>
#include <QSettings>
#include <QVariant>

namespace {

// Keys hold spaces and colons; QSettings would take a "/" for a group.
QString settingsKey(const XStr& key) {
    return QStringLiteral("BatchConverter/") +
           QString::fromUtf8(QByteArray::fromStdString(key.utf8()).toPercentEncoding(" :"));
}

QVariant toVariant(const XPropertyValue& value) {
    switch (value.kind()) {
        case XPropertyValue::Kind::kBoolean:
            return value.boolValue();
        case XPropertyValue::Kind::kNumber:
            return value.numberValue();
        case XPropertyValue::Kind::kString:
            return QByteArray::fromStdString(value.stringValue().utf8());
        case XPropertyValue::Kind::kList: {
            QVariantList list;
            for (const XPropertyValue& item : value.list()) {
                list.push_back(toVariant(item));
            }
            return list;
        }
        default:
            break;
    }
    return {};
}

std::optional<XPropertyValue> fromVariant(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Bool:
            return XPropertyValue(value.toBool());
        case QMetaType::Double:
        case QMetaType::Int:
        case QMetaType::LongLong:
            return XPropertyValue(value.toDouble());
        case QMetaType::QByteArray:
            return XPropertyValue(XStr(value.toByteArray().toStdString()));
        case QMetaType::QString: {
            // Text is written as bytes; what comes back as a string is a number or a switch
            // the settings file kept as text.
            if (value.toString() == QLatin1String("true") ||
                value.toString() == QLatin1String("false")) {
                return XPropertyValue(value.toBool());
            }
            bool number = false;
            const double n = value.toString().toDouble(&number);
            if (number) {
                return XPropertyValue(n);
            }
            return XPropertyValue(XStr(value.toString().toStdString()));
        }
        case QMetaType::QVariantList:
        case QMetaType::QStringList: {
            XPropertyValue::List list;
            for (const QVariant& item : value.toList()) {
                if (std::optional<XPropertyValue> v = fromVariant(item)) {
                    list.push_back(std::move(*v));
                }
            }
            return XPropertyValue(std::move(list));
        }
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<XPropertyValue> VMCQtUserDefaults::value(const XStr& key) const {
    const QSettings settings;
    const QVariant v = settings.value(settingsKey(key));
    if (!v.isValid()) {
        // The settings file keeps an empty list as nothing; nothing else is written so.
        return settings.contains(settingsKey(key))
                   ? std::optional<XPropertyValue>(XPropertyValue::List{})
                   : std::nullopt;
    }
    return fromVariant(v);
}

void VMCQtUserDefaults::setValue(const XStr& key, const XPropertyValue& value) {
    const QVariant v = toVariant(value);
    if (!v.isValid() && !value.isList()) {
        // No value (or one the settings cannot hold) is no value kept.
        remove(key);
        return;
    }
    QSettings().setValue(settingsKey(key), v);
}

void VMCQtUserDefaults::remove(const XStr& key) {
    QSettings().remove(settingsKey(key));
}
