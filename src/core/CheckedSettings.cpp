#include "core/CheckedSettings.h"

#include "core/Settings.h"

#include <QCoreApplication>

#include <cmath>

namespace kivo {

namespace {

using C = CheckedSetting;

// The texts' translation context, named here so that lupdate files them under the context
// they are looked up in at run time.
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(Settings)
};

bool isInteger(int type)
{
    return type == QMetaType::LongLong || type == QMetaType::Int || type == QMetaType::ULongLong ||
           type == QMetaType::UInt;
}

// VALUE as the operator would recognise it in the settings file.
QString shown(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        return Texts::tr("a list");
    case QMetaType::QVariantMap:
        return Texts::tr("a dictionary");
    case QMetaType::QByteArray:
        return Texts::tr("data");
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::QString:
        return QStringLiteral("\"%1\"").arg(value.toString().left(40));
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 10);
    default:
        return value.toString();
    }
}

} // namespace

const QList<CheckedSetting>& checkedSettings()
{
    static const QList<CheckedSetting> table = [] {
        QList<CheckedSetting> checked;
        for (const SettingInfo& info : kSettingInfos) {
            if (!info.range.checked)
                continue;
            checked.append({info.setting, info.key,
                            info.type == SettingType::Int ? C::Integer : C::Number,
                            info.range.minimum, info.range.maximum});
        }
        return checked;
    }();
    return table;
}

const CheckedSetting* checkedSetting(const QString& key)
{
    for (const CheckedSetting& setting : checkedSettings()) {
        if (key == QLatin1String(setting.key))
            return &setting;
    }
    return nullptr;
}

QString checkedValueProblem(const CheckedSetting& setting, const QVariant& value)
{
    if (!value.isValid())
        return {};
    const int type = value.typeId();
    if (setting.type == C::Integer && !isInteger(type))
        return Texts::tr("is not a whole number");
    if (setting.type == C::Number && !isInteger(type) && type != QMetaType::Double &&
        type != QMetaType::Float)
        return Texts::tr("is not a number");
    const double number = value.toDouble();
    if (!std::isfinite(number) || number < setting.minimum || number > setting.maximum)
        return Texts::tr("is not between %1 and %2").arg(setting.minimum).arg(setting.maximum);
    return {};
}

QStringList checkedSettingsProblems(const Settings& settings)
{
    QStringList lines;
    for (const CheckedSetting& setting : checkedSettings()) {
        const QVariant value = settings.value(setting.setting);
        const QString problem = checkedValueProblem(setting, value);
        if (!problem.isEmpty())
            lines << QStringLiteral("%1 = %2 %3")
                         .arg(QLatin1String(setting.key), shown(value), problem);
    }
    return lines;
}

double checkedNumber(const Settings& settings, Setting key, double absent, double invalid)
{
    const QVariant value = settings.value(key);
    if (!value.isValid())
        return absent;
    const CheckedSetting* setting = checkedSetting(QLatin1String(settingKey(key)));
    if (setting && !checkedValueProblem(*setting, value).isEmpty())
        return invalid;
    return Settings::toDouble(value);
}

} // namespace kivo
