#include "core/SettingsSchema.h"

#include <QHash>

namespace kivo {

QString settingKeyString(Setting setting)
{
    return QString::fromLatin1(settingKey(setting));
}

std::optional<Setting> settingForKey(const QString& key)
{
    static const QHash<QString, Setting> byKey = [] {
        QHash<QString, Setting> table;
        for (const SettingInfo& info : kSettingInfos)
            table.insert(QString::fromLatin1(info.key), info.setting);
        return table;
    }();
    const auto it = byKey.constFind(key);
    if (it == byKey.cend())
        return std::nullopt;
    return it.value();
}

QVariant settingDefault(Setting setting)
{
    // One entry per row, in the enumeration's order (both come from the same table).
    static const QVariant defaults[] = {
#define KIVO_SETTING_DEFAULT(name, Name, type, key, def, range, meaning)                           \
    QVariant::fromValue(KIVO_SETTING_READ_##type(def)),
        KIVO_SETTINGS(KIVO_SETTING_DEFAULT)
#undef KIVO_SETTING_DEFAULT
    };
    static_assert(std::size(defaults) == kSettingCount);
    const auto index = static_cast<std::size_t>(setting);
    return index < kSettingCount ? defaults[index] : QVariant();
}

bool settingAccepts(Setting setting, const QVariant& value)
{
    const int id = value.typeId();
    switch (settingInfo(setting).type) {
    case SettingType::Bool:
        return id == QMetaType::Bool;
    case SettingType::Int:
        return id == QMetaType::LongLong || id == QMetaType::Int || id == QMetaType::ULongLong ||
               id == QMetaType::UInt;
    case SettingType::Double:
        return id == QMetaType::Double || id == QMetaType::Float || id == QMetaType::LongLong ||
               id == QMetaType::Int || id == QMetaType::ULongLong || id == QMetaType::UInt;
    case SettingType::String:
        return id == QMetaType::QString;
    case SettingType::Bytes:
        return id == QMetaType::QByteArray;
    case SettingType::List:
        return id == QMetaType::QVariantList || id == QMetaType::QStringList;
    case SettingType::Map:
        return id == QMetaType::QVariantMap;
    }
    return false;
}

} // namespace kivo
