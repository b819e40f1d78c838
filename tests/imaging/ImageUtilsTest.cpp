#include "support/TestJpeg.h"

#include "imaging/ImageFileType.h"
#include "support/TestRoot.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace kivo;

namespace {

TEST(ImageFileType, ExtensionDecidesAndContentOnlyWithout)
{
    test::TestRoot root;
    const QString jpeg = root.file(QStringLiteral("real.jpg"));
    test::writeJpeg(jpeg, test::markedImage(20, 20), 1);
    const QByteArray jpegBytes = test::readFile(jpeg);
    struct Case
    {
        const char* name;
        QByteArray bytes;
        bool image;
    } cases[] = {
        {"a.jpg", jpegBytes, true},      {"b.JPG", jpegBytes, true},
        {"c.jpeg", jpegBytes, true},     {"d.png", "whatever", true}, // the extension decides
        {"e.txt", jpegBytes, false},     {"f.plist", "<plist/>", false},
        {"noext", jpegBytes, true},      {"noext2", "plain text", false},
        {"g.zzqx", jpegBytes, true},     {"h.zzqx", "plain text", false},
        {".hidden", "plain text", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = root.file(QString::fromLatin1(c.name));
        test::writeFile(path, c.bytes);
        EXPECT_EQ(isImageFile(path), c.image);
        EXPECT_EQ(imageUtils::isImageFile(path), c.image);
    }
    EXPECT_FALSE(isImageFile(QString()));
}

} // namespace
