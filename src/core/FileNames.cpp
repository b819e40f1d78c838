#include "core/FileNames.h"

#include <sys/stat.h>
#include <unistd.h>

namespace kivo {

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

bool isReadableFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QByteArray name = encodeFileName(path);
    struct stat st;
    return ::stat(name.constData(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(name.constData(), R_OK) == 0;
}

} // namespace kivo
