// Property-list bytes from anywhere (settings, catalogue, baskets, order files). Beyond not
// crashing, what is read must survive being written: a value the reader accepts is written as
// XML that the reader accepts again, and writing it a second time gives the same bytes, or a
// settings file rewritten after a change would lose its values.
#include "FuzzSupport.h"

#include "core/PropertyList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QVariant value = kivo::plist::fromData(kivo::fuzz::bytes(data, size));
    if (!value.isValid())
        return 0;
    const QByteArray written = kivo::plist::toXml(value);
    QString error;
    const QVariant again = kivo::plist::fromData(written, &error);
    if (!again.isValid())
        kivo::fuzz::fail("a value read is written as XML the reader refuses");
    if (kivo::plist::toXml(again) != written)
        kivo::fuzz::fail("a value written, read back and written again changes");
    return 0;
}
