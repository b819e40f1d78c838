#include "output/OrderFields.h"

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

} // namespace kivo
