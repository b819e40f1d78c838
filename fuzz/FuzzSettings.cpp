// The station's settings file, which an operator may edit or a crash may cut short: every typed
// read of every setting answers, and a store that changes one value writes a file that reads
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
    for (const SettingInfo& info : kSettingInfos) {
        const QVariant value = settings.value(info.setting);
        (void)Settings::toText(value);
        (void)Settings::toBool(value);
        (void)Settings::toInteger(value);
        (void)Settings::toDouble(value);
        (void)Settings::toBytes(value);
        (void)Settings::toList(value);
        (void)Settings::toMap(value);
    }
#define KIVO_FUZZ_READ(name, Name, type, key, def, range, meaning) (void)settings.name();
    KIVO_SETTINGS(KIVO_FUZZ_READ)
#undef KIVO_FUZZ_READ

    const QString changed = settingKeyString(Setting::savedToolMode);
    settings.setSavedToolMode(settings.savedToolMode() == 1 ? 2 : 1);
    if (!settings.sync())
        fuzz::fail("a changed settings store cannot be written");
    Settings reread(path);
    if (reread.storedValues().size() != stored.size() + (stored.contains(changed) ? 0 : 1))
        fuzz::fail("a settings file written after a change lost values");
    return 0;
}
