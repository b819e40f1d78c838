#include "core/SiteCodes.h"

#include "core/ConsoleLog.h"
#include "core/Logging.h"
#include "core/Settings.h"

#include <QCoreApplication>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringList>

#include <algorithm>

namespace kivo {

namespace {

constexpr const char* kScheme = "pbkdf2-sha256";
// The codes are short, so stretching buys little against a stolen settings file; it is kept low
// enough that the keypad checks an entry against every code without a noticeable pause.
constexpr int kIterations = 2000;
constexpr int kMaxIterations = 1000000;
constexpr int kSaltBytes = 16;
constexpr int kMinLength = 3;
constexpr int kMaxLength = 12;

// The factory codes' hashes, made once with fixed salts. They stand for codes every station of
// this kind knows, which is why a site is asked to choose its own.
constexpr const char* kFactoryHashes[SiteCodes::kCodeCount] = {
    // release code
    "pbkdf2-sha256$2000$a2l2by1yZWxlYXNlLWZhYw==$ldTaF/IGiJAaRqdxNirjXjgcc5rKgcAZxzmOsRlt9Lo=",
    // open the preferences
    "pbkdf2-sha256$2000$a2l2by1vcGVucHJlZi1mYQ==$zrjFyvSzKS0csmI67oIDm2uYzy2rNb4r5KFOYPmOuNA=",
    // quit
    "pbkdf2-sha256$2000$a2l2by1xdWl0LWZhY3Rvcg==$tx7frDqRMY/BHzXovyl8NLhHv9GqapRUXPMZ0l4+8qQ=",
    // administrator keys
    "pbkdf2-sha256$2000$a2l2by1hZG1pbmtleXMtZg==$4pD8GV9GaV4XJr9uHQ5Y0mKF7fWTgxvt3UfZtkUvIUo=",
};

QByteArray pbkdf2(const QByteArray& password, const QByteArray& salt, int iterations)
{
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, password);
    mac.addData(salt);
    mac.addData(QByteArray::fromHex("00000001"));
    QByteArray u = mac.result();
    QByteArray out = u;
    for (int i = 1; i < iterations; ++i) {
        mac.reset();
        mac.addData(u);
        u = mac.result();
        for (int b = 0; b < out.size(); ++b)
            out[b] = char(out[b] ^ u[b]);
    }
    return out;
}

// Equal sizes and bytes, in a time that depends only on the sizes.
bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

struct Parsed
{
    bool ok = false;
    int iterations = 0;
    QByteArray salt;
    QByteArray hash;
};

Parsed parse(const QString& stored)
{
    Parsed p;
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts.at(0) != QLatin1String(kScheme))
        return p;
    bool ok = false;
    p.iterations = parts.at(1).toInt(&ok);
    if (!ok || p.iterations < 1 || p.iterations > kMaxIterations)
        return p;
    const auto salt = QByteArray::fromBase64Encoding(parts.at(2).toLatin1(),
                                                     QByteArray::AbortOnBase64DecodingErrors);
    const auto hash = QByteArray::fromBase64Encoding(parts.at(3).toLatin1(),
                                                     QByteArray::AbortOnBase64DecodingErrors);
    if (!salt || !hash || salt.decoded.isEmpty() || hash.decoded.size() != 32)
        return p;
    p.salt = salt.decoded;
    p.hash = hash.decoded;
    p.ok = true;
    return p;
}

QByteArray normalized(const QString& code)
{
    return code.trimmed().toUpper().toUtf8();
}

QString format(int iterations, const QByteArray& salt, const QByteArray& hash)
{
    return QStringLiteral("%1$%2$%3$%4")
        .arg(QLatin1String(kScheme))
        .arg(iterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(hash.toBase64()));
}

} // namespace

SiteCodes::SiteCodes(Settings& settings) : m_settings(settings) {}

Setting SiteCodes::setting(Code which)
{
    switch (which) {
    case ReleaseCode:
        return Setting::releaseCodeHash;
    case OpenPreferencesCode:
        return Setting::openPreferencesCodeHash;
    case QuitCode:
        return Setting::quitCodeHash;
    case AdministratorKeysCode:
        return Setting::administratorKeysCodeHash;
    }
    return Setting::releaseCodeHash;
}

QString SiteCodes::hash(const QString& code)
{
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(salt.data()),
                                          kSaltBytes / int(sizeof(quint32)));
    return format(kIterations, salt, pbkdf2(normalized(code), salt, kIterations));
}

bool SiteCodes::isWellFormed(const QString& stored)
{
    return parse(stored).ok;
}

bool SiteCodes::verify(const QString& code, const QString& stored)
{
    const Parsed p = parse(stored);
    if (!p.ok)
        return false;
    return sameBytes(pbkdf2(normalized(code), p.salt, p.iterations), p.hash);
}

QString SiteCodes::storedHash(Code which) const
{
    const QVariant value = m_settings.value(setting(which));
    if (value.isValid()) {
        const QString stored = value.toString();
        if (value.typeId() == QMetaType::QString && isWellFormed(stored))
            return stored;
        // A hand-edited or damaged value cannot lock the staff out: the factory code works
        // until a site code is set again, and the log says so.
        consoleLog(lcCore(), "SiteCodes", "storedHash",
                   QStringLiteral("%1 cannot be read; the factory code applies")
                       .arg(settingKeyString(setting(which))));
    }
    return QLatin1String(kFactoryHashes[which]);
}

bool SiteCodes::matches(Code which, const QString& entry) const
{
    return verify(entry, storedHash(which));
}

int SiteCodes::identify(const QString& entry) const
{
    int found = -1;
    for (int i = 0; i < kCodeCount; ++i) {
        if (matches(Code(i), entry) && found < 0)
            found = i;
    }
    return found;
}

bool SiteCodes::isChanged(Code which) const
{
    return !factoryCodesInUse(m_settings).contains(codeName(which));
}

QString SiteCodes::codeName(Code which)
{
    switch (which) {
    case ReleaseCode:
        return QCoreApplication::translate("SiteCodes", "release code");
    case OpenPreferencesCode:
        return QCoreApplication::translate("SiteCodes", "open-preferences code");
    case QuitCode:
        return QCoreApplication::translate("SiteCodes", "quit code");
    case AdministratorKeysCode:
        return QCoreApplication::translate("SiteCodes", "administrator-keys code");
    }
    return {};
}

QStringList SiteCodes::factoryCodesInUse(const Settings& settings)
{
    QStringList names;
    for (int i = 0; i < kCodeCount; ++i) {
        const QVariant value = settings.value(setting(Code(i)));
        if (value.typeId() != QMetaType::QString || !isWellFormed(value.toString()))
            names << codeName(Code(i));
    }
    return names;
}

QString SiteCodes::factoryCodesNotice(const Settings& settings)
{
    const QStringList names = factoryCodesInUse(settings);
    if (names.isEmpty())
        return {};
    return QCoreApplication::translate("SiteCodes",
                                       "Factory codes still in use, known to every station of "
                                       "this kind: %1. Choose the site's own in the preferences.")
        .arg(names.join(QStringLiteral(", ")));
}

QString SiteCodes::checkForm(Code which, const QString& code)
{
    const QString text = code.trimmed();
    if (text.size() < kMinLength || text.size() > kMaxLength)
        return QCoreApplication::translate("SiteCodes", "A code has %1 to %2 characters.")
            .arg(kMinLength)
            .arg(kMaxLength);
    auto digits = [](QStringView s) {
        return std::all_of(s.begin(), s.end(),
                           [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    };
    if (which == ReleaseCode) {
        if (!digits(text))
            return QCoreApplication::translate("SiteCodes", "The release code is digits only.");
        return {};
    }
    if (!text.startsWith(QLatin1Char('*')) || !text.endsWith(QLatin1Char('#')) ||
        !digits(QStringView(text).mid(1, text.size() - 2)))
        return QCoreApplication::translate(
            "SiteCodes", "A command code is * followed by digits and ends with #.");
    return {};
}

bool SiteCodes::change(Code which, const QString& current, const QString& newCode,
                       QString* error) const
{
    auto refuse = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!matches(which, current))
        return refuse(QCoreApplication::translate("SiteCodes", "The current code is not right."));
    const QString why = checkForm(which, newCode);
    if (!why.isEmpty())
        return refuse(why);
    for (int i = 0; i < kCodeCount; ++i) {
        if (i != which && matches(Code(i), newCode))
            return refuse(
                QCoreApplication::translate("SiteCodes", "That code is already another code."));
    }
    m_settings.setValue(setting(which), hash(newCode));
    return true;
}

void SiteCodes::revert(Code which) const
{
    m_settings.remove(setting(which));
}

} // namespace kivo
