// The station's settings file, which an operator may edit or a crash may cut short: every typed
// read of every stored key answers, and a store that changes one value writes a file that reads
// back with the same values.
#include "FuzzSupport.h"

#include "core/PropertyList.h"
#include "core/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kivo;
    const QString path =
        fuzz::writeInput(QStringLiteral("settings.plist"), fuzz::bytes(data, size));
    Settings settings(path);
    const QVariantMap stored = settings.storedValues();
    for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
        const QString& key = it.key();
        (void)settings.stringValue(key);
        (void)settings.boolValue(key);
        (void)settings.intValue(key);
        (void)settings.doubleValue(key);
        (void)settings.floatValue(key);
        (void)settings.bytesValue(key);
        (void)settings.listValue(key);
        (void)settings.mapValue(key);
    }

    settings.setIntValue(QStringLiteral("fuzzChanged"), 1);
    if (!settings.sync())
        fuzz::fail("a changed settings store cannot be written");
    Settings reread(path);
    if (reread.storedValues().size() !=
        stored.size() + (stored.contains(QStringLiteral("fuzzChanged")) ? 0 : 1))
        fuzz::fail("a settings file written after a change lost values");
    return 0;
}
