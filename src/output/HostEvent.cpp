#include "output/HostEvent.h"

namespace kivo {

QString fourCharString(quint32 code)
{
    QString text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((code >> shift) & 0xFF);
        text.append((c >= 0x20 && c < 0x7F) ? QChar::fromLatin1(c) : QChar(u'?'));
    }
    return text;
}

bool parseFourCharCode(const QString& text, quint32* code)
{
    if (text.size() != 4)
        return false;
    quint32 value = 0;
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
        value = (value << 8) | c.unicode();
    }
    if (code)
        *code = value;
    return true;
}

QString busNameForSignature(quint32 signature)
{
    return QStringLiteral("org.kivo.app.") + fourCharString(signature);
}

} // namespace kivo
