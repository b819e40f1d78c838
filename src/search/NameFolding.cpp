#include "search/NameFolding.h"

#include <QChar>

namespace kivo::search {

std::string foldName(std::string_view name)
{
    std::string out(name);
    bool ascii = true;
    for (char& ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80) {
            ascii = false;
            break;
        }
        if (c >= 'A' && c <= 'Z')
            ch = char(c + ('a' - 'A'));
    }
    if (ascii)
        return out;
    return foldName(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

std::string foldName(const QString& name)
{
    const QString decomposed = name.normalized(QString::NormalizationForm_KD);
    QString kept;
    kept.reserve(decomposed.size());
    for (const QChar ch : decomposed) {
        const QChar::Category cat = ch.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining ||
            cat == QChar::Mark_Enclosing)
            continue;
        kept.append(ch);
    }
    return kept.toCaseFolded().toStdString();
}

QString trimmedSearchID(const QString& id)
{
    QString s = id;
    const qsizetype slash = s.lastIndexOf(QLatin1Char('/'));
    if (slash >= 0 && slash + 1 < s.size())
        s = s.mid(slash + 1);
    qsizetype start = 0;
    qsizetype end = s.size();
    auto bracket = [](QChar c) { return c == QLatin1Char('[') || c == QLatin1Char(']'); };
    while (start < end && bracket(s.at(start)))
        ++start;
    while (end > start && bracket(s.at(end - 1)))
        --end;
    return s.mid(start, end - start);
}

namespace {

// The length of the valid UTF-8 sequence at the start of BYTES (1 to 4), or 0 when it is not one
// (a stray continuation byte, a cut sequence, an overlong form, a surrogate, beyond U+10FFFF).
int utf8SequenceLength(std::string_view bytes)
{
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(0);
    int length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong
        else if (lead == 0xED)
            high = 0x9F; // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90; // overlong
        else if (lead == 0xF4)
            high = 0x8F; // beyond U+10FFFF
    } else {
        return 0;
    }
    if (bytes.size() < size_t(length) || at(1) < low || at(1) > high)
        return 0;
    for (int i = 2; i < length; ++i) {
        if (at(size_t(i)) < 0x80 || at(size_t(i)) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

QString decodeFileName(std::string_view bytes)
{
    QString out;
    out.reserve(qsizetype(bytes.size()));
    size_t runStart = 0; // start of the valid UTF-8 not yet appended
    size_t i = 0;
    while (i < bytes.size()) {
        const int length = utf8SequenceLength(bytes.substr(i));
        if (length > 0) {
            i += size_t(length);
            continue;
        }
        out += QString::fromUtf8(bytes.data() + runStart, qsizetype(i - runStart));
        out += QChar(char16_t(0xDC00 + static_cast<unsigned char>(bytes[i])));
        runStart = ++i;
    }
    out += QString::fromUtf8(bytes.data() + runStart, qsizetype(i - runStart));
    return out;
}

QByteArray encodeFileName(const QString& name)
{
    QByteArray out;
    out.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        const bool escaped =
            unit >= 0xDC80 && unit <= 0xDCFF && (i == 0 || !name.at(i - 1).isHighSurrogate());
        if (!escaped)
            continue;
        out += QStringView(name).mid(runStart, i - runStart).toUtf8();
        out += char(unit - 0xDC00);
        runStart = i + 1;
    }
    out += QStringView(name).mid(runStart).toUtf8();
    return out;
}

} // namespace kivo::search
