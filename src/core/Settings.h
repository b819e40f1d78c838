#pragma once

#include <QObject>
#include <QReadWriteLock>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace kivo {

// The station's settings: a stored layer, persisted as an XML property list, over a
// registration layer of factory defaults that lives for one process and is never written.
// A read falls through to the registration layer when the stored layer has no value.
//
// Typed reads follow the absent rules the rest of the station relies on: a boolean read of an
// absent key is false, an integer or number read is 0, a string read of an absent or non-string
// value is a null QString. A stored string read as a number uses its leading numeric text.
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

    // The value of KEY, or an invalid QVariant when neither layer has it.
    QVariant value(const QString& key) const;
    QString stringValue(const QString& key) const;
    bool boolValue(const QString& key) const;
    qint64 intValue(const QString& key) const;
    double doubleValue(const QString& key) const;
    float floatValue(const QString& key) const;
    QByteArray bytesValue(const QString& key) const;
    QVariantList listValue(const QString& key) const;
    QVariantMap mapValue(const QString& key) const;
    bool contains(const QString& key) const { return value(key).isValid(); }

    // Writes go to the stored layer at once and reach the disk at sync().
    void setValue(const QString& key, const QVariant& value);
    void setBoolValue(const QString& key, bool value) { setValue(key, QVariant(value)); }
    void setIntValue(const QString& key, qint64 value) { setValue(key, QVariant(value)); }
    void setDoubleValue(const QString& key, double value) { setValue(key, QVariant(value)); }
    void setStringValue(const QString& key, const QString& value)
    {
        setValue(key, QVariant(value));
    }
    void remove(const QString& key);

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
    // A write or removal changed the stored value of KEY. Emitted by the writing thread after the
    // store is unlocked, so that a receiver may read (or write) the settings at once.
    void changed(const QString& key);

public:
    // Conversions with the platform's rules, used by the typed reads.
    static bool toBool(const QVariant& value);
    static qint64 toInteger(const QVariant& value);
    static double toDouble(const QVariant& value);

private:
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
