#include "output/OrderFields.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <utility>

namespace kivo {

bool isValidCustomerId(const QString& customerId)
{
    if (customerId.isEmpty())
        return false;
    for (const QChar c : customerId) {
        const char16_t u = c.unicode();
        const bool ok = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') ||
                        (u >= u'0' && u <= u'9') || u == u'-' || u == u'_';
        if (!ok)
            return false;
    }
    return true;
}

namespace {

template <typename Refused> QString replaced(const QString& text, bool* changed, Refused refused)
{
    QString out = text;
    bool any = false;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out.at(i);
        bool bad = refused(c.unicode());
        // A surrogate is only whole with its partner.
        if (c.isHighSurrogate() && i + 1 < out.size() && out.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        bad = bad || c.isSurrogate();
        if (bad) {
            out[i] = QLatin1Char('_');
            any = true;
        }
    }
    if (changed)
        *changed = any;
    return out;
}

bool isXmlRefused(char16_t u)
{
    return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF;
}

} // namespace

QString xmlSafeText(const QString& text, bool* changed)
{
    return replaced(text, changed, isXmlRefused);
}

QString invoiceFieldText(const QString& text, bool* changed)
{
    return replaced(text, changed, [](char16_t u) {
        return u < 0x20 || u == 0x7F || u == u',' || u == u'~' || isXmlRefused(u);
    });
}

QString freeOrderFilePath(const QString& folder, const QString& customerId, const QString& suffix)
{
    QString path = QStringLiteral("%1/%2%3").arg(folder, customerId, suffix);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = QStringLiteral("%1/%2-%3%4").arg(folder, customerId).arg(n).arg(suffix);
    return path;
}

QString newestOrderFilePath(const QString& folder, const QString& customerId, const QString& suffix)
{
    const QDir dir(folder);
    QString newest;
    std::pair<QDateTime, int> newestKey;
    const QStringList names = dir.entryList(
        {customerId + suffix, customerId + QStringLiteral("-*") + suffix}, QDir::Files);
    for (const QString& name : names) {
        int n = 1;
        if (name != customerId + suffix) {
            // Only "ID-N" with N from 2 on, as freeOrderFilePath names them: another customer's
            // ID may begin with this one and a dash.
            const QString number = name.mid(customerId.size() + 1,
                                            name.size() - customerId.size() - 1 - suffix.size());
            bool ok = false;
            n = number.toInt(&ok);
            if (!ok || n < 2 || number.startsWith(QLatin1Char('0')))
                continue;
        }
        // Files written within one tick of the clock have the same time: the later of two such
        // releases took the higher number.
        const std::pair key{QFileInfo(dir.filePath(name)).lastModified(), n};
        if (newest.isEmpty() || key > newestKey) {
            newest = dir.filePath(name);
            newestKey = key;
        }
    }
    return newest;
}

} // namespace kivo
