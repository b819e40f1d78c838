#include "PhotoTreeFixture.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo::test {

PhotoTree::PhotoTree(const TestRoot& root) : folder(root.folder(QStringLiteral("images")))
{
    for (const char* photo : {"123456_B.JPG", "123456_2.jpg", "12-05-2026/123456_10.jpeg",
                              "12-05-2026/654321_1.jpg", "party-123456/guest.jpg", "x_123456.jpg"})
        addPhotoNamed(photo);
    writeFile(path(QStringLiteral("123456_notes.txt")), "not a photo");
    writeFile(path(QStringLiteral("123456.plist")), "<plist/>");
}

void PhotoTree::addPhotoNamed(const QByteArray& relative) const
{
    static const QByteArray jpeg = [] {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPEG");
        return bytes;
    }();
    const QByteArray full = QFile::encodeName(folder) + '/' + relative;
    for (qsizetype slash = full.indexOf('/', 1); slash > 0; slash = full.indexOf('/', slash + 1))
        ::mkdir(full.left(slash).constData(), 0755); // each folder on the way, as bytes
    const int fd = ::open(full.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << "cannot create " << full.toStdString();
    EXPECT_EQ(::write(fd, jpeg.constData(), size_t(jpeg.size())), jpeg.size());
    ::close(fd);
}

} // namespace kivo::test
