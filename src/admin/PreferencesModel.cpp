#include "admin/PreferencesModel.h"

#include "admin/FolderCheck.h"
#include "admin/Logging.h"
#include "core/CheckedSettings.h"
#include "core/ConsoleLog.h"
#include "core/DateFormat.h"
#include "core/FileReference.h"
#include "core/Settings.h"

#include <QFileInfo>
#include <QLocale>

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>

#include <cmath>
#include <memory>

namespace kivo {

namespace {

const char* const kClass = "PreferencesSheet";

struct FolderKeys
{
    const char* key;
    const char* validKey; // nullptr: the folder has no validity flag
    const char* aliasKey;
};

constexpr FolderKeys kFolderKeys[] = {
    {settingKey(Setting::mainImagesFolder), settingKey(Setting::isValidMainImagesFolder),
     settingKey(Setting::mainImagesFolderAliasData)},
    {settingKey(Setting::tilboxPendingInvoiceFolder),
     settingKey(Setting::isValidTilboxPendingInvoiceFolder),
     settingKey(Setting::tilboxPendingInvoiceFolderAliasData)},
    {settingKey(Setting::localServerPath), settingKey(Setting::isValidLocalServerPath),
     settingKey(Setting::localServerPathAliasData)},
    {settingKey(Setting::localReceiptPath), nullptr, nullptr},
};

// The stored value of KEY, the stored key of a setting the sheet edits.
QVariant storedValue(const Settings& settings, const QString& key)
{
    const std::optional<Setting> setting = settingForKey(key);
    return setting ? settings.value(*setting) : QVariant();
}

void write(Settings& settings, const QString& key, const QVariant& value)
{
    if (const std::optional<Setting> setting = settingForKey(key))
        settings.setValue(*setting, value);
}

QString icuPattern(icu::DateFormat::EStyle style)
{
    std::unique_ptr<icu::DateFormat> format(
        icu::DateFormat::createDateInstance(style, icu::Locale("en_US")));
    auto* simple = dynamic_cast<icu::SimpleDateFormat*>(format.get());
    if (!simple)
        return {};
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    return QString(reinterpret_cast<const QChar*>(pattern.getBuffer()), pattern.length());
}

bool rightType(PreferenceItem::Kind kind, const QVariant& value)
{
    const int type = value.typeId();
    const bool integer = type == QMetaType::LongLong || type == QMetaType::Int ||
                         type == QMetaType::ULongLong || type == QMetaType::UInt;
    switch (kind) {
    case PreferenceItem::Bool:
        return type == QMetaType::Bool;
    case PreferenceItem::Integer:
    case PreferenceItem::SearchMethod:
        return integer;
    case PreferenceItem::Number:
        return integer || type == QMetaType::Double;
    default:
        return type == QMetaType::QString;
    }
}

} // namespace

PreferencesModel::PreferencesModel(Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_today(QDate::currentDate())
{
    m_saveRetry.setInterval(kSaveRetryMs);
    connect(&m_saveRetry, &QTimer::timeout, this, &PreferencesModel::save);
}

void PreferencesModel::setSaveRetryInterval(int milliseconds)
{
    m_saveRetry.setInterval(milliseconds);
}

bool PreferencesModel::boolValue(const QString& key) const
{
    return Settings::toBool(storedValue(m_settings, key));
}

QString PreferencesModel::text(const QString& key) const
{
    const PreferenceItem* item = preferenceItem(key);
    if (item &&
        (item->kind == PreferenceItem::Integer || item->kind == PreferenceItem::SearchMethod))
        return QString::number(Settings::toInteger(storedValue(m_settings, key)));
    if (item && item->kind == PreferenceItem::Number)
        return QString::number(Settings::toDouble(storedValue(m_settings, key)), 'g', 10);
    return Settings::toText(storedValue(m_settings, key));
}

void PreferencesModel::store(const QString& key, const QVariant& value)
{
    write(m_settings, key, value);
    emit settingChanged(key);
    save();
}

void PreferencesModel::save()
{
    QString error;
    const QString before = m_saveProblem;
    if (m_settings.sync(&error))
        m_saveProblem.clear();
    else
        m_saveProblem = tr("The settings cannot be saved: %1. The change is kept and saved as "
                           "soon as there is room.")
                            .arg(error);
    // A full disk gets room again without anyone touching the sheet: it keeps trying.
    if (m_saveProblem.isEmpty())
        m_saveRetry.stop();
    else if (!m_saveRetry.isActive())
        m_saveRetry.start();
    if (before != m_saveProblem)
        emit problemsChanged();
}

bool PreferencesModel::setFlag(const QString& key, bool on, QString* message)
{
    const PreferenceItem* item = preferenceItem(key);
    if (on && item && item->printerKey) {
        const QString printer =
            Settings::toText(storedValue(m_settings, QLatin1String(item->printerKey)));
        if (printer.isEmpty() || !m_printers.contains(printer)) {
            // Receipt printing can only be on with a printer that exists.
            if (message)
                *message =
                    printer.isEmpty()
                        ? tr("Choose the printer first.")
                        : tr("There is no printer [%1]: choose one that exists.").arg(printer);
            on = false;
        }
    }
    store(key, on);
    return on;
}

bool PreferencesModel::setText(const QString& key, const QString& text, QString* error)
{
    auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const PreferenceItem* item = preferenceItem(key);
    if (!item)
        return refuse(tr("[%1] is not a setting of the sheet.").arg(key));
    const QString trimmed = text.trimmed();
    switch (item->kind) {
    case PreferenceItem::Integer:
    case PreferenceItem::SearchMethod: {
        bool ok = false;
        const qint64 value = trimmed.toLongLong(&ok);
        const double maximum = item->kind == PreferenceItem::SearchMethod ? 2 : item->maximum;
        if (!ok)
            return refuse(tr("%1: [%2] is not a whole number.").arg(preferenceLabel(*item), text));
        if (value < item->minimum || value > maximum)
            return refuse(tr("%1: %2 is not between %3 and %4.")
                              .arg(preferenceLabel(*item))
                              .arg(value)
                              .arg(item->minimum)
                              .arg(maximum));
        store(key, value);
        return true;
    }
    case PreferenceItem::Number: {
        bool ok = false;
        const double value = QLocale::c().toDouble(trimmed, &ok);
        if (!ok || !std::isfinite(value))
            return refuse(tr("%1: [%2] is not a number.").arg(preferenceLabel(*item), text));
        if (value < item->minimum || value > item->maximum)
            return refuse(tr("%1: %2 is not between %3 and %4.")
                              .arg(preferenceLabel(*item))
                              .arg(value)
                              .arg(item->minimum)
                              .arg(item->maximum));
        store(key, value);
        return true;
    }
    case PreferenceItem::Folder:
    case PreferenceItem::File:
        return refuse(tr("%1 is chosen with its button.").arg(preferenceLabel(*item)));
    case PreferenceItem::DateFormat:
        if (trimmed.isEmpty())
            return refuse(tr("The daily folder name needs a date pattern."));
        store(key, trimmed);
        chooseDateFormat();
        return true;
    default:
        store(key, text);
        return true;
    }
}

bool PreferencesModel::chooseFolder(const QString& key, const QString& path, QString* message)
{
    const PreferenceItem* item = preferenceItem(key);
    const FolderKeys* keys = nullptr;
    for (const FolderKeys& candidate : kFolderKeys) {
        if (key == QLatin1String(candidate.key))
            keys = &candidate;
    }
    if (!item || !keys || path.isEmpty()) {
        consoleLog(lcAdmin(), kClass, "openPanelDidEnd",
                   QStringLiteral("no key or no path: nothing changed"));
        return false;
    }
    const FolderCheck check = checkFolder(path, item->written ? FolderUse::Write : FolderUse::Read);
    if (!check.ok) {
        consoleLog(lcAdmin(), kClass, "openPanelDidEnd", check.message);
        if (message)
            *message = check.message;
        return false;
    }
    write(m_settings, key, path);
    if (keys->validKey)
        write(m_settings, QLatin1String(keys->validKey), true);
    if (keys->aliasKey) {
        const QByteArray reference = FileReference::create(path);
        if (reference.isEmpty())
            consoleLog(lcAdmin(), kClass, "chooseFolder",
                       QStringLiteral("no file reference for [%1]").arg(path));
        else
            write(m_settings, QLatin1String(keys->aliasKey), reference);
    }
    store(key, path);
    return true;
}

QStringList PreferencesModel::fileTypes(const QString& key)
{
    if (key == settingKeyString(Setting::animationMoviePath))
        return {QStringLiteral("mov"),  QStringLiteral("jpg"), QStringLiteral("jpeg"),
                QStringLiteral("webm"), QStringLiteral("avi"), QStringLiteral("mp4")};
    if (key == settingKeyString(Setting::sponsorLogoPath))
        return {QStringLiteral("tif"), QStringLiteral("tiff"), QStringLiteral("png"),
                QStringLiteral("jpg"), QStringLiteral("jpeg")};
    return {};
}

bool PreferencesModel::chooseFile(const QString& key, const QString& path, QString* message)
{
    const QStringList types = fileTypes(key);
    if (types.isEmpty() || path.isEmpty()) {
        consoleLog(lcAdmin(), kClass, "openPanelDidEnd",
                   QStringLiteral("no key or no path: nothing changed"));
        return false;
    }
    const QFileInfo info(path);
    QString why;
    if (!info.isFile())
        why = tr("The file [%1] does not exist.").arg(path);
    else if (!info.isReadable())
        why = tr("The file [%1] cannot be read.").arg(path);
    else if (!types.contains(info.suffix().toLower()))
        why = tr("[%1] is not one of: %2.").arg(info.fileName(), types.join(QStringLiteral(", ")));
    if (!why.isEmpty()) {
        if (message)
            *message = why;
        return false;
    }
    const QByteArray reference = FileReference::create(path);
    if (!reference.isEmpty())
        write(m_settings, key + QStringLiteral("AliasData"), reference);
    store(key, path);
    return true;
}

QString PreferencesModel::datePatternForTag(int tag)
{
    switch (tag) {
    case 0:
        return QStringLiteral("MM-dd-yyyy");
    case 1:
        return icuPattern(icu::DateFormat::kShort);
    case 2:
        return icuPattern(icu::DateFormat::kMedium);
    case 3:
        return icuPattern(icu::DateFormat::kLong);
    case 4:
        return icuPattern(icu::DateFormat::kFull);
    default:
        return {};
    }
}

int PreferencesModel::dateFormatTag() const
{
    const QString stored = m_settings.dailyFolderDateFormat();
    for (int tag = 0; tag <= 4; ++tag) {
        if (!stored.isEmpty() && stored == datePatternForTag(tag))
            return tag;
    }
    return -1;
}

void PreferencesModel::chooseDateFormat(int tag)
{
    QString format = m_settings.dailyFolderDateFormat();
    const QString chosen = datePatternForTag(tag);
    if (!chosen.isEmpty())
        format = chosen;
    const QString example =
        QStringLiteral("Example: %1").arg(formatDate(QDateTime(m_today, QTime(12, 0)), format));
    m_settings.setDailyFolderDateFormatExample(example);
    store(settingKeyString(Setting::dailyFolderDateFormat), format);
}

void PreferencesModel::setPrinters(const QStringList& names, const QString& problem)
{
    if (names == m_printers && problem == m_printerProblem)
        return;
    consoleLog(lcAdmin(), kClass, "setPrinters", QStringLiteral("Updating printer list..."));
    m_printers = names;
    m_printerProblem = problem;
    emit problemsChanged();
}

bool PreferencesModel::selectPrinter(const QString& key, const QString& name, QString* message)
{
    if (!name.isEmpty() && !m_printers.contains(name)) {
        if (message)
            *message = tr("There is no printer [%1]: choose one that exists.").arg(name);
        return false;
    }
    store(key, name);
    return true;
}

QStringList PreferencesModel::problems() const
{
    QStringList out;
    const QString loadError = m_settings.loadError();
    if (!loadError.isEmpty())
        out << tr("The settings file could not be read, so the factory settings apply: %1")
                   .arg(loadError);
    if (!m_saveProblem.isEmpty())
        out << m_saveProblem;
    const QVariantMap stored = m_settings.storedValues();
    for (const PreferenceItem& item : preferenceItems()) {
        const auto it = stored.constFind(QLatin1String(item.key));
        if (it == stored.cend())
            continue;
        if (rightType(item.kind, *it)) {
            const CheckedSetting* checked = checkedSetting(QLatin1String(item.key));
            if (checked && !checkedValueProblem(*checked, *it).isEmpty())
                out << tr("%1 holds %2, which is not between %3 and %4, so it is not used. Set "
                          "it again to mend it.")
                           .arg(preferenceLabel(item), it->toString())
                           .arg(item.minimum)
                           .arg(item.maximum);
            continue;
        }
        const QString shown = item.kind == PreferenceItem::Bool
                                  ? (boolValue(QLatin1String(item.key)) ? tr("on") : tr("off"))
                                  : text(QLatin1String(item.key));
        out << tr("%1 holds [%2], which is not a value of its kind; it is read as [%3]. Set it "
                  "again to mend it.")
                   .arg(preferenceLabel(item), it->toString(), shown);
    }
    if (!m_printerProblem.isEmpty())
        out << m_printerProblem;
    for (const PreferenceItem& item : preferenceItems()) {
        if (!item.printerKey || !boolValue(QLatin1String(item.key)))
            continue;
        const QString printer =
            Settings::toText(storedValue(m_settings, QLatin1String(item.printerKey)));
        if (!m_printers.contains(printer))
            out << tr("%1 is on, but there is no printer [%2] now.")
                       .arg(preferenceLabel(item), printer);
    }
    return out;
}

QString PreferencesModel::versionText()
{
    QString text = QStringLiteral("Kivo Sales Station %1").arg(QStringLiteral(KIVO_VERSION));
#ifndef NDEBUG
    text += QStringLiteral(" Debug");
#endif
    return text;
}

} // namespace kivo
