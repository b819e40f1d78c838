#include "orders/OrientationTranslation.h"

#include "core/Settings.h"
#include "support/TestJpeg.h"
#include "support/TestRoot.h"

#include <gtest/gtest.h>

using namespace kivo;

TEST(Orientation, HeaderClassification)
{
    test::TestRoot root;
    const QList<std::tuple<const char*, int, int, int, PhotoOrientation>> table = {
        {"land1.jpg", 300, 200, 1, PhotoOrientation::Landscape},
        {"land6.jpg", 300, 200, 6, PhotoOrientation::Portrait}, // turned: shown upright
        {"land3.jpg", 300, 200, 3, PhotoOrientation::Portrait},
        {"square.jpg", 200, 200, 1, PhotoOrientation::Portrait},
        {"untagged.jpg", 300, 200, 0, PhotoOrientation::Landscape}, // no tag means upright
    };
    for (const auto& [name, width, height, orientation, expected] : table) {
        test::writeJpeg(root.file(name), test::markedImage(width, height), orientation);
        EXPECT_EQ(classifyPhotoOrientation(root.file(name)), expected) << name;
    }
    // Missing files and non-images are portrait.
    EXPECT_EQ(classifyPhotoOrientation(root.file("missing.jpg")), PhotoOrientation::Portrait);
    test::writeFile(root.file("text.jpg"), "not an image");
    EXPECT_EQ(classifyPhotoOrientation(root.file("text.jpg")), PhotoOrientation::Portrait);
}

TEST(Orientation, SuffixRuleOnPackageEntries)
{
    test::TestRoot root;
    Settings& settings = Settings::instance();
    const QString landscape = root.file("l.jpg");
    const QString turned = root.file("t.jpg");
    test::writeJpeg(landscape, test::markedImage(300, 200), 1);
    test::writeJpeg(turned, test::markedImage(300, 200), 6);
    settings.setPortraitPkgPluSuffix(" -P\n");

    // Each switch on in turn, then both with an empty landscape suffix: the PLU each photo's
    // entry gets.
    const QList<std::tuple<bool, bool, const char*, const char*, const char*>> table = {
        {false, false, "L", "P100", "P100"},
        {true, false, "L", "P100L", "P100"},
        {true, true, "L", "P100L", "P100 -P"}, // trimmed at the ends only
        {true, true, "", "P100", "P100 -P"},
    };
    for (const auto& [landscapeOn, portraitOn, suffix, wide, upright] : table) {
        settings.setAppendLandscapeSuffix(landscapeOn);
        settings.setAppendPortraitSuffix(portraitOn);
        settings.setLandscapePkgPluSuffix(suffix);
        for (const auto& [path, plu] : {std::pair{landscape, wide}, std::pair{turned, upright}}) {
            PackageEntry entry{path, {QString(), QString(), "P100", 1.0f, 1, 1.0f, 0}, {}};
            const bool changed = plu != QLatin1String("P100");
            EXPECT_EQ(applyOrientationTranslation(entry, settings), changed) << plu;
            EXPECT_EQ(entry.line.plu, plu);
            EXPECT_EQ(entry.originalPlu, changed ? std::optional<QString>("P100") : std::nullopt);
        }
    }
    // An entry without a PLU is left alone.
    settings.setLandscapePkgPluSuffix("L");
    PackageEntry noPLU{landscape, {}, {}};
    EXPECT_FALSE(applyOrientationTranslation(noPLU, settings));
    EXPECT_TRUE(noPLU.line.plu.isNull());
    EXPECT_FALSE(noPLU.originalPlu);
}
