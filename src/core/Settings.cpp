#include "core/Settings.h"

#include "core/Paths.h"
#include "core/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <cmath>
#include <limits>

namespace kivo {

namespace {

// The leading numeric text of TEXT in the C locale, whatever the process's locale says:
// blanks and a plus sign are skipped, "12abc" reads 12, "abc" reads 0.
template <typename T> T leadingNumber(const QString& text)
{
    const QByteArray bytes = text.trimmed().toUtf8();
    const char* begin = bytes.constData();
    const char* end = begin + bytes.size();
    if (begin != end && *begin == '+')
        ++begin;
    T result{};
    std::from_chars(begin, end, result);
    return result;
}

} // namespace

Settings& Settings::instance()
{
    static Settings* store = [] {
        auto* s = new Settings(QString());
        s->m_followsEnvironment = true;
        return s;
    }();
    return *store;
}

Settings::Settings(const QString& storePath) : m_path(storePath) {}

Settings::~Settings() = default;

QString Settings::storePath() const
{
    ensureLoaded();
    QReadLocker lock(&m_lock);
    return m_path;
}

void Settings::ensureLoaded() const
{
    {
        QReadLocker lock(&m_lock);
        if (m_loaded)
            return;
    }
    QWriteLocker lock(&m_lock);
    if (!m_loaded)
        loadLocked();
}

void Settings::loadLocked() const
{
    if (m_followsEnvironment)
        m_path = paths::settingsFile();
    m_stored.clear();
    m_loadError.clear();
    m_unreadableOnDisk = false;
    if (!m_path.isEmpty() && QFileInfo::exists(m_path)) {
        QString error;
        const QVariant value = plist::readFile(m_path, &error);
        if (value.typeId() == QMetaType::QVariantMap)
            m_stored = value.toMap();
        else
            m_loadError =
                value.isValid() ? QStringLiteral("%1 holds no dictionary").arg(m_path) : error;
        m_unreadableOnDisk = !m_loadError.isEmpty();
    }
    m_dirty = false;
    m_loaded = true;
}

void Settings::reload()
{
    QWriteLocker lock(&m_lock);
    loadLocked();
}

void Settings::registerDefaults(const QVariantMap& defaults)
{
    QWriteLocker lock(&m_lock);
    m_registered = defaults;
}

QVariantMap Settings::registeredDefaults() const
{
    QReadLocker lock(&m_lock);
    return m_registered;
}

QVariant Settings::value(const QString& key) const
{
    ensureLoaded();
    QReadLocker lock(&m_lock);
    auto it = m_stored.constFind(key);
    if (it != m_stored.cend())
        return it.value();
    return m_registered.value(key);
}

QString Settings::toText(const QVariant& value)
{
    if (value.typeId() != QMetaType::QString)
        return {};
    QString text = value.toString();
    if (text.isNull())
        text = QStringLiteral(""); // present but empty stays distinguishable from absent
    return text;
}

QByteArray Settings::toBytes(const QVariant& value)
{
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

QVariantList Settings::toList(const QVariant& value)
{
    if (value.typeId() == QMetaType::QVariantList || value.typeId() == QMetaType::QStringList)
        return value.toList();
    return {};
}

QVariantMap Settings::toMap(const QVariant& value)
{
    return value.typeId() == QMetaType::QVariantMap ? value.toMap() : QVariantMap();
}

QVariant Settings::value(Setting setting) const
{
    return value(settingKeyString(setting));
}

void Settings::setValue(Setting setting, const QVariant& value)
{
    setValue(settingKeyString(setting), value);
}

void Settings::remove(Setting setting)
{
    remove(settingKeyString(setting));
}

namespace {

// A typed read: the schema's default where no layer holds the key, the store's conversion of
// whatever a layer holds otherwise.
#define KIVO_SETTING_CONVERT_Bool Settings::toBool
#define KIVO_SETTING_CONVERT_Int Settings::toInteger
#define KIVO_SETTING_CONVERT_Double Settings::toDouble
#define KIVO_SETTING_CONVERT_String Settings::toText
#define KIVO_SETTING_CONVERT_Bytes Settings::toBytes
#define KIVO_SETTING_CONVERT_List Settings::toList
#define KIVO_SETTING_CONVERT_Map Settings::toMap

} // namespace

#define KIVO_SETTING_DEFINE(name, Name, type, key, def, range, meaning)                            \
    KIVO_SETTING_READ_##type Settings::name() const                                                \
    {                                                                                              \
        const QVariant stored = value(Setting::name);                                              \
        if (!stored.isValid())                                                                     \
            return KIVO_SETTING_READ_##type(def);                                                  \
        return KIVO_SETTING_CONVERT_##type(stored);                                                \
    }                                                                                              \
    void Settings::set##Name(KIVO_SETTING_WRITE_##type value)                                      \
    {                                                                                              \
        setValue(Setting::name, QVariant::fromValue(KIVO_SETTING_READ_##type(value)));             \
    }
KIVO_SETTINGS(KIVO_SETTING_DEFINE)
#undef KIVO_SETTING_DEFINE

void Settings::setValue(const QString& key, const QVariant& value)
{
    if (!value.isValid()) {
        remove(key);
        return;
    }
    ensureLoaded();
    bool same = false;
    {
        QWriteLocker lock(&m_lock);
        auto it = m_stored.constFind(key);
        same =
            it != m_stored.cend() && it.value().typeId() == value.typeId() && it.value() == value;
        m_stored.insert(key, value);
        m_dirty = true;
    }
    // Storing what is already there changes nothing a screen shows.
    if (!same)
        announce(key);
}

void Settings::remove(const QString& key)
{
    ensureLoaded();
    {
        QWriteLocker lock(&m_lock);
        if (m_stored.remove(key) == 0)
            return;
        m_dirty = true;
    }
    announce(key);
}

void Settings::announce(const QString& key)
{
    if (const std::optional<Setting> setting = settingForKey(key))
        emit changed(*setting);
}

QVariantMap Settings::storedValues() const
{
    ensureLoaded();
    QReadLocker lock(&m_lock);
    return m_stored;
}

bool Settings::sync(QString* error)
{
    ensureLoaded();
    QWriteLocker lock(&m_lock);
    if (!m_dirty && QFileInfo::exists(m_path))
        return true;
    if (m_path.isEmpty()) {
        if (error)
            *error = QStringLiteral("the settings have no file");
        return false;
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    if (m_unreadableOnDisk && QFileInfo(m_path).isFile()) {
        const QString aside = m_path + QStringLiteral(".unreadable");
        QFile::remove(aside);
        if (!QFile::rename(m_path, aside)) {
            if (error)
                *error = QStringLiteral("cannot keep the unreadable %1 aside").arg(m_path);
            return false;
        }
        m_unreadableOnDisk = false;
        m_loadError += QStringLiteral(" (kept as %1)").arg(aside);
    }
    if (!plist::writeFile(m_path, m_stored, error))
        return false;
    m_dirty = false;
    return true;
}

QString Settings::loadError() const
{
    ensureLoaded();
    QReadLocker lock(&m_lock);
    return m_loadError;
}

bool Settings::hasUnsavedChanges() const
{
    QReadLocker lock(&m_lock);
    return m_dirty;
}

void Settings::setInitialValues(const QVariantMap& values)
{
    QWriteLocker lock(&m_lock);
    m_initialValues = values;
}

QVariantMap Settings::initialValues() const
{
    QReadLocker lock(&m_lock);
    return m_initialValues;
}

void Settings::setAppliesImmediately(bool applies)
{
    QWriteLocker lock(&m_lock);
    m_appliesImmediately = applies;
}

bool Settings::appliesImmediately() const
{
    QReadLocker lock(&m_lock);
    return m_appliesImmediately;
}

bool Settings::toBool(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString: {
        // The first significant character decides: Y, y, T, t or a digit 1 to 9 is true.
        const QString text = value.toString();
        qsizetype i = 0;
        while (i < text.size() && text.at(i).isSpace())
            ++i;
        if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
            ++i;
        while (i < text.size() && text.at(i) == QLatin1Char('0'))
            ++i;
        if (i >= text.size())
            return false;
        const QChar c = text.at(i);
        return c == QLatin1Char('Y') || c == QLatin1Char('y') || c == QLatin1Char('T') ||
               c == QLatin1Char('t') || (c >= QLatin1Char('1') && c <= QLatin1Char('9'));
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return value.toDouble() != 0.0;
    default:
        if (value.canConvert<qint64>() && value.typeId() != QMetaType::QByteArray &&
            value.isValid())
            return value.toLongLong() != 0;
        return false;
    }
}

qint64 Settings::toInteger(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Double:
    case QMetaType::Float: {
        // A settings file may hold any real: beyond the range of an integer it saturates (a cast
        // would be undefined), and NaN is 0.
        const double real = value.toDouble();
        if (std::isnan(real))
            return 0;
        if (real >= 0x1p63)
            return std::numeric_limits<qint64>::max();
        if (real < -0x1p63)
            return std::numeric_limits<qint64>::min();
        return static_cast<qint64>(real);
    }
    case QMetaType::QString: {
        // The leading numeric text: "12abc" is 12, "abc" is 0.
        return leadingNumber<qint64>(value.toString());
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return value.toLongLong();
    default:
        return 0;
    }
}

double Settings::toDouble(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? 1.0 : 0.0;
    case QMetaType::QString: {
        return leadingNumber<double>(value.toString());
    }
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return value.toDouble();
    default:
        return 0.0;
    }
}

} // namespace kivo
