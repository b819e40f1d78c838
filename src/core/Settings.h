#pragma once

#include <QObject>
#include <QReadWriteLock>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include "core/SettingsSchema.h"

namespace kivo {

// The station's settings: a stored layer, persisted as an XML property list, over a
// registration layer of factory defaults that lives for one process and is never written.
// A read falls through to the registration layer when the stored layer has no value.
//
// Every setting is described once in SettingsSchema.h. Typed reads follow the absent rules the
// rest of the station relies on: a read of a key no layer holds answers the schema's default
// (false, 0, a null string unless the row says otherwise); a string read of a non-string value
// is a null QString. A stored string read as a number uses its leading numeric text.
//
// Every member is safe to call from any thread; settings are read at the moment of use, so a
// change takes effect at the next read. Screens that show a setting follow changed().
class Settings : public QObject
{
    Q_OBJECT

public:
    // The process-wide store, reading the file at paths::settingsFile().
    static Settings& instance();

    // A store over its own file; used by tests and tools that look at another station's file.
    explicit Settings(const QString& storePath);
    ~Settings() override;

    QString storePath() const;

    // Replaces the registration layer.
    void registerDefaults(const QVariantMap& defaults);
    QVariantMap registeredDefaults() const;

    // The value of SETTING, or an invalid QVariant when neither layer has it; for code driven by
    // the schema (the preferences, the checked settings). Everything else reads the typed
    // accessors below.
    QVariant value(Setting setting) const;
    bool contains(Setting setting) const { return value(setting).isValid(); }
    // Writes go to the stored layer at once and reach the disk at sync(). An invalid VALUE
    // removes the stored value.
    void setValue(Setting setting, const QVariant& value);
    void remove(Setting setting);

    // One reader and one writer for every setting of the schema: allowMultipleIds(),
    // setAllowMultipleIds(bool) and so on. A read answers the schema's default when no layer
    // holds the key.
#define KIVO_SETTING_ACCESSORS(name, Name, type, key, def, range, meaning)                         \
    KIVO_SETTING_READ_##type name() const;                                                         \
    void set##Name(KIVO_SETTING_WRITE_##type value);
    KIVO_SETTINGS(KIVO_SETTING_ACCESSORS)
#undef KIVO_SETTING_ACCESSORS

    // The stored layer alone (what the settings file holds).
    QVariantMap storedValues() const;

    // Writes the stored layer to its file atomically when it changed since the last write.
    // Returns false (and sets ERROR) when the file could not be written.
    // A settings file that could not be read is first kept beside it as "<file>.unreadable",
    // so that a hand-edited file with one typo is not lost to the next write.
    bool sync(QString* error = nullptr);
    bool hasUnsavedChanges() const;
    // Why the settings file could not be read at the last load (empty when it was read, or when
    // there was none), and where it was kept; the store then starts empty over the factory
    // defaults.
    QString loadError() const;

    // Reads the stored layer again from the file, dropping unsaved changes. The process-wide
    // store also follows a changed paths::settingsFile() (tests change KIVO_ROOT).
    void reload();

    // The shared defaults controller's initial values: what a revert in the preferences restores.
    void setInitialValues(const QVariantMap& values);
    QVariantMap initialValues() const;
    void setAppliesImmediately(bool applies);
    bool appliesImmediately() const;

signals:
    // A write or removal changed the stored value of SETTING. Emitted by the writing thread after
    // the store is unlocked, so that a receiver may read (or write) the settings at once.
    void changed(kivo::Setting setting);

public:
    // Conversions with the platform's rules, used by the typed reads.
    static bool toBool(const QVariant& value);
    static qint64 toInteger(const QVariant& value);
    static double toDouble(const QVariant& value);
    // A string read: null for an absent or non-string value, empty (not null) for an empty one.
    static QString toText(const QVariant& value);
    static QByteArray toBytes(const QVariant& value);
    static QVariantList toList(const QVariant& value);
    static QVariantMap toMap(const QVariant& value);

private:
    QVariant value(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    void announce(const QString& key);

    void ensureLoaded() const;
    void loadLocked() const;

    mutable QReadWriteLock m_lock;
    mutable QString m_path;
    mutable bool m_loaded = false;
    bool m_followsEnvironment = false;
    mutable QVariantMap m_stored;
    QVariantMap m_registered;
    QVariantMap m_initialValues;
    bool m_appliesImmediately = false;
    mutable bool m_dirty = false;
    mutable QString m_loadError;
    mutable bool m_unreadableOnDisk = false;
};

} // namespace kivo
