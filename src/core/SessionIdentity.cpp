#include "core/SessionIdentity.h"

#include "core/DateFormat.h"

namespace kivo {

QString formCustomerUniqueID(const QString& photoId, const QDateTime& when)
{
    return QStringLiteral("%1_%2").arg(
        photoId, formatDate(when, QString::fromLatin1(kCustomerUniqueIDTimePattern)));
}

bool isPhotoID(const QString& text)
{
    if (text.size() != 6)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

} // namespace kivo
