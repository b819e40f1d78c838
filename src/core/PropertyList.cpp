#include "core/PropertyList.h"

#include "core/AtomicFile.h"

#include <QDateTime>
#include <QFile>

#include <cstdlib>
#include <plist/plist.h>

namespace kivo::plist {

namespace {

// Date seconds in a property list count from 2001-01-01.
constexpr qint64 kAppleEpochOffset = 978307200;

QVariant toVariant(plist_t node)
{
    if (!node)
        return {};
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return QVariant(b != 0);
    }
    case PLIST_UINT: {
        uint64_t u = 0;
        plist_get_uint_val(node, &u);
        // Integers are stored unsigned; a negative integer comes back as its two's complement.
        return QVariant(static_cast<qint64>(u));
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        return QVariant(d);
    }
    case PLIST_STRING: {
        char* s = nullptr;
        plist_get_string_val(node, &s);
        QString text = QString::fromUtf8(s ? s : "");
        std::free(s);
        return QVariant(text);
    }
    case PLIST_KEY: {
        char* s = nullptr;
        plist_get_key_val(node, &s);
        QString text = QString::fromUtf8(s ? s : "");
        std::free(s);
        return QVariant(text);
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        QByteArray data(bytes, static_cast<qsizetype>(length));
        std::free(bytes);
        return QVariant(data);
    }
    case PLIST_DATE: {
        int32_t sec = 0;
        int32_t usec = 0;
        plist_get_date_val(node, &sec, &usec);
        const qint64 ms = (static_cast<qint64>(sec) + kAppleEpochOffset) * 1000 + usec / 1000;
        return QVariant(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
    }
    case PLIST_ARRAY: {
        QVariantList list;
        const uint32_t n = plist_array_get_size(node);
        list.reserve(n);
        for (uint32_t i = 0; i < n; ++i)
            list.append(toVariant(plist_array_get_item(node, i)));
        return list;
    }
    case PLIST_DICT: {
        QVariantMap map;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        while (it) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!key)
                break;
            map.insert(QString::fromUtf8(key), toVariant(value));
            std::free(key);
        }
        std::free(it);
        return map;
    }
    default:
        return {};
    }
}

plist_t fromVariant(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return plist_new_bool(value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::Long:
        return plist_new_uint(static_cast<uint64_t>(value.toLongLong()));
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::ULong:
        return plist_new_uint(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return plist_new_real(value.toDouble());
    case QMetaType::QString:
        return plist_new_string(value.toString().toUtf8().constData());
    case QMetaType::QByteArray: {
        const QByteArray data = value.toByteArray();
        return plist_new_data(data.constData(), static_cast<uint64_t>(data.size()));
    }
    case QMetaType::QDateTime: {
        const qint64 ms = value.toDateTime().toMSecsSinceEpoch();
        const qint64 sec = ms / 1000 - kAppleEpochOffset;
        // plist_set_date_val is broken in this libplist; only plist_new_date stores a date right.
        return plist_new_date(static_cast<int32_t>(sec), static_cast<int32_t>((ms % 1000) * 1000));
    }
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        plist_t array = plist_new_array();
        for (const QVariant& item : value.toList()) {
            if (plist_t node = fromVariant(item))
                plist_array_append_item(array, node);
        }
        return array;
    }
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash: {
        plist_t dict = plist_new_dict();
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            if (plist_t node = fromVariant(it.value()))
                plist_dict_set_item(dict, it.key().toUtf8().constData(), node);
        }
        return dict;
    }
    default:
        if (value.canConvert<QString>() && value.isValid())
            return plist_new_string(value.toString().toUtf8().constData());
        return nullptr;
    }
}

} // namespace

QVariant fromData(const QByteArray& data, QString* error)
{
    plist_t root = nullptr;
    if (data.size() >= 8 && data.startsWith("bplist00"))
        plist_from_bin(data.constData(), static_cast<uint32_t>(data.size()), &root);
    else if (!data.isEmpty())
        plist_from_xml(data.constData(), static_cast<uint32_t>(data.size()), &root);
    if (!root) {
        if (error)
            *error = QStringLiteral("not a property list");
        return {};
    }
    QVariant result = toVariant(root);
    plist_free(root);
    return result;
}

QByteArray toXml(const QVariant& value)
{
    plist_t root = fromVariant(value);
    if (!root)
        return {};
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root, &xml, &length);
    QByteArray result(xml, static_cast<qsizetype>(length));
    std::free(xml);
    plist_free(root);
    return result;
}

QVariant readFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return {};
    }
    QString parseError;
    QVariant value = fromData(file.readAll(), &parseError);
    if (!value.isValid() && error)
        *error = QStringLiteral("%1 is %2").arg(path, parseError);
    return value;
}

bool writeFile(const QString& path, const QVariant& value, QString* error)
{
    const QByteArray xml = toXml(value);
    if (xml.isEmpty()) {
        if (error)
            *error = QStringLiteral("nothing to write to %1").arg(path);
        return false;
    }
    return writeFileAtomically(path, xml, error);
}

} // namespace kivo::plist
