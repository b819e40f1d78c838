// The factory defaults resource, which a site edits by hand.
#include "FuzzSupport.h"

#include "core/FactoryDefaults.h"
#include "core/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace kivo;
    const QString path =
        fuzz::writeInput(QStringLiteral("FactoryDefaults.plist"), fuzz::bytes(data, size));
    Settings settings(fuzz::writeInput(QStringLiteral("settings.plist"), QByteArray()));
    if (!setupFactoryDefaults(settings, path))
        return 0;
    const QStringList known = initialValueKeys();
    const QVariantMap initial = settings.initialValues();
    for (auto it = initial.cbegin(); it != initial.cend(); ++it) {
        if (!known.contains(it.key()))
            fuzz::fail("an initial value outside the revertible keys");
    }
    (void)settings.searchIdMethodTag();
    (void)settings.mainImagesFolder();
    (void)settings.editableTextArray();
    return 0;
}
