#include "orders/OrientationTranslation.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

// A real JPEG of WIDTH x HEIGHT pixels, with the EXIF orientation tag unless ORIENTATION is 0.
QString makeJpeg(const test::TestRoot& root, const QString& name, int width, int height,
                 int orientation)
{
    const QString path = root.file(name);
    test::writeJpeg(path, test::markedImage(width, height), orientation);
    return path;
}

QVariantMap entryFor(const QString& path, const QString& plu = "P100")
{
    return {{"name", path}, {"pkgPLU", plu}, {"pkgQty", 1}};
}

} // namespace

TEST(Orientation, HeaderClassification)
{
    test::TestRoot root;
    struct Case
    {
        const char* name;
        int width, height, orientation;
        PhotoOrientation expected;
    } cases[] = {
        {"land1.jpg", 300, 200, 1, PhotoOrientation::Landscape},
        {"land6.jpg", 300, 200, 6, PhotoOrientation::Portrait}, // turned: shown upright
        {"land3.jpg", 300, 200, 3, PhotoOrientation::Portrait},
        {"port1.jpg", 200, 300, 1, PhotoOrientation::Portrait},
        {"square.jpg", 200, 200, 1, PhotoOrientation::Portrait},
        // No tag means upright, as EXIF defines.
        {"untagged.jpg", 300, 200, 0, PhotoOrientation::Landscape},
    };
    for (const Case& c : cases) {
        const QString path = makeJpeg(root, c.name, c.width, c.height, c.orientation);
        EXPECT_EQ(classifyPhotoOrientation(path), c.expected) << c.name;
    }
    // Missing files and non-images are portrait.
    EXPECT_EQ(classifyPhotoOrientation(root.file("missing.jpg")), PhotoOrientation::Portrait);
    test::writeFile(root.file("text.jpg"), "not an image");
    EXPECT_EQ(classifyPhotoOrientation(root.file("text.jpg")), PhotoOrientation::Portrait);
}

TEST(Orientation, SuffixRuleOnPackageEntries)
{
    test::TestRoot root;
    Settings& settings = Settings::standardUserDefaults();
    const QString landscape = makeJpeg(root, "l.jpg", 300, 200, 1);
    const QString turned = makeJpeg(root, "t.jpg", 300, 200, 6);

    // Neither setting on: nothing changes, whatever the suffixes hold.
    settings.setString("L", sPrefLandscapePkgPLUSuffix);
    settings.setString("P", sPrefPortraitPkgPLUSuffix);
    QVariantMap entry = entryFor(landscape);
    EXPECT_FALSE(applyOrientationTranslation(entry, settings));
    EXPECT_EQ(entry, entryFor(landscape));

    settings.setBool(true, sPrefAppendLandscapeSuffix);
    entry = entryFor(landscape);
    EXPECT_TRUE(applyOrientationTranslation(entry, settings));
    EXPECT_EQ(entry.value("pkgPLU").toString(), "P100L");
    EXPECT_EQ(entry.value("pkgPLU_original").toString(), "P100");
    // Orientation 6 is portrait, and the portrait suffix is off.
    entry = entryFor(turned);
    EXPECT_FALSE(applyOrientationTranslation(entry, settings));
    EXPECT_FALSE(entry.contains("pkgPLU_original"));

    settings.setBool(true, sPrefAppendPortraitSuffix);
    settings.setString(" -P\n", sPrefPortraitPkgPLUSuffix);
    entry = entryFor(turned);
    EXPECT_TRUE(applyOrientationTranslation(entry, settings));
    EXPECT_EQ(entry.value("pkgPLU").toString(), "P100 -P"); // trimmed at the ends only

    // Both on but both suffixes empty: no PLU changes.
    settings.setString("", sPrefLandscapePkgPLUSuffix);
    settings.setString("", sPrefPortraitPkgPLUSuffix);
    for (const QString& path : {landscape, turned}) {
        entry = entryFor(path);
        EXPECT_FALSE(applyOrientationTranslation(entry, settings));
        EXPECT_EQ(entry.value("pkgPLU").toString(), "P100");
    }
    // An entry without a PLU is left alone.
    settings.setString("L", sPrefLandscapePkgPLUSuffix);
    QVariantMap noPLU{{"name", landscape}};
    EXPECT_FALSE(applyOrientationTranslation(noPLU, settings));
    EXPECT_FALSE(noPLU.contains("pkgPLU"));
}
