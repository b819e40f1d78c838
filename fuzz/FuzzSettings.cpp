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
        (void)settings.stringForKey(key);
        (void)settings.boolForKey(key);
        (void)settings.integerForKey(key);
        (void)settings.doubleForKey(key);
        (void)settings.floatForKey(key);
        (void)settings.dataForKey(key);
        (void)settings.arrayForKey(key);
        (void)settings.dictionaryForKey(key);
    }

    settings.setInteger(1, QStringLiteral("fuzzChanged"));
    if (!settings.synchronize())
        fuzz::fail("a changed settings store cannot be written");
    Settings reread(path);
    if (reread.storedValues().size() !=
        stored.size() + (stored.contains(QStringLiteral("fuzzChanged")) ? 0 : 1))
        fuzz::fail("a settings file written after a change lost values");
    return 0;
}
