// What the keypad's entry field is given: typed, pasted or scanned text. The field never shows
// more than its length or anything but digits, "*" and "#", and it beeps whenever it changes the
// text.
#include "FuzzSupport.h"

#include "search/EntryFieldFormatter.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kivo;
    if (size < 1)
        return 0;
    EntryFieldFormatter formatter;
    formatter.setMaxLength(data[0] % 12);
    // Both readings of the rest: as UTF-8 and as raw UTF-16 (lone surrogates included).
    const QByteArray rest = fuzz::bytes(data + 1, size - 1);
    QString utf16(rest.size() / 2, Qt::Uninitialized);
    std::memcpy(utf16.data(), rest.constData(), static_cast<size_t>(utf16.size()) * 2);
    const QString texts[] = {QString::fromUtf8(rest), utf16};
    for (const QString& proposed : texts) {
        const EntryFieldFormatter::Result result = formatter.isPartialStringValid(proposed);
        if (!result.accepted) {
            if (!result.beep)
                fuzz::fail("an entry refused without a beep");
            continue;
        }
        if (result.text.size() > formatter.maxLength())
            fuzz::fail("the entry field holds more than its length");
        for (const QChar c : result.text) {
            const bool key = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                             c == QLatin1Char('*') || c == QLatin1Char('#');
            if (!key)
                fuzz::fail("the entry field holds a character the keypad has no key for");
        }
        if (result.beep != (result.text != proposed))
            fuzz::fail("the entry field changed the text without a beep, or beeped for nothing");
    }
    return 0;
}
