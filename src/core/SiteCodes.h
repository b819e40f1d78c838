#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "core/SettingsSchema.h"

namespace kivo {

class Settings;

// The site's own codes: the release code a sales person enters to let an order go out, and the
// three command codes of the keypad (open the preferences, quit, show the administrator keys).
// A new station starts with the well-known factory codes; a site changes them in the
// preferences. Only salted PBKDF2-SHA256 hashes are stored, never the codes themselves, and an
// entry is compared with every code in the same time whatever it holds, so neither the settings
// file nor the keypad's timing gives a code away.
class SiteCodes
{
public:
    enum Code
    {
        ReleaseCode,
        OpenPreferencesCode,
        QuitCode,
        AdministratorKeysCode,
    };
    static constexpr int kCodeCount = 4;

    explicit SiteCodes(Settings& settings);

    // Whether ENTRY is the code WHICH (compared without regard to case, as the keypad upper-cases
    // what it is given).
    bool matches(Code which, const QString& entry) const;
    // Which code ENTRY is, or -1; every code is checked, whichever matched.
    int identify(const QString& entry) const;

    // Changes WHICH to NEWCODE after checking CURRENT; false with a message for the operator
    // (current code wrong, new code malformed or equal to another code).
    bool change(Code which, const QString& current, const QString& newCode, QString* error) const;
    // Back to the factory code (the settings hold no hash of their own any more).
    void revert(Code which) const;
    // The site has a code of its own for WHICH.
    bool isChanged(Code which) const;
    // The names of the codes that are still the factory's ("release code", "quit code", ...),
    // which every station of this kind knows; empty when the site chose all of its own.
    static QStringList factoryCodesInUse(const Settings& settings);
    // What the staff are told while any factory code is in use; empty when none is.
    static QString factoryCodesNotice(const Settings& settings);

    // What a code may look like: the release code digits only (the keypad refuses anything else
    // at the release prompt), a command code "*" digits "#"; 3 to 12 characters. Empty when
    // CODE is acceptable, else why not.
    static QString checkForm(Code which, const QString& code);

    // The setting that holds WHICH's hash.
    static Setting setting(Code which);
    // WHICH as the staff are told of it ("release code").
    static QString codeName(Code which);

    // "pbkdf2-sha256$ITERATIONS$SALT$HASH" (base64) of CODE with a fresh random salt.
    static QString hash(const QString& code);
    // Whether CODE matches the stored hash STORED; false for a stored value that cannot be read.
    // Runs in a time that depends only on the stored parameters, never on where CODE differs.
    static bool verify(const QString& code, const QString& stored);
    // Whether STORED is a hash this class can verify.
    static bool isWellFormed(const QString& stored);

private:
    QString storedHash(Code which) const;
    Settings& m_settings;
};

} // namespace kivo
