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

} // namespace kivo::search
