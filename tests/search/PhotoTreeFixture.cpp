#include "PhotoTreeFixture.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo::test {

PhotoTree::PhotoTree(const TestRoot& root) : folder(root.folder(QStringLiteral("images")))
{
    addPhoto(QStringLiteral("123456_B.JPG"));
    addPhoto(QStringLiteral("123456_2.jpg"));
    addPhoto(QStringLiteral("12-05-2026/123456_10.jpeg"));
    addPhoto(QStringLiteral("12-05-2026/654321_1.jpg"));
    addPhoto(QStringLiteral("party-123456/guest.jpg"));
    addPhoto(QStringLiteral("x_123456.jpg"));
    addFile(QStringLiteral("123456_notes.txt"), "not a photo");
    addFile(QStringLiteral("123456.plist"), "<plist/>");
}

namespace {

QByteArray tinyJpeg()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

} // namespace

void PhotoTree::addPhoto(const QString& relative) const
{
    writeFile(path(relative), tinyJpeg());
}

void PhotoTree::addPhotoNamed(const QByteArray& relative) const
{
    const QByteArray full = QFile::encodeName(folder) + '/' + relative;
    for (qsizetype slash = full.indexOf('/', 1); slash > 0; slash = full.indexOf('/', slash + 1))
        ::mkdir(full.left(slash).constData(), 0755); // each folder on the way, as bytes
    const QByteArray bytes = tinyJpeg();
    const int fd = ::open(full.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << "cannot create " << full.toStdString();
    EXPECT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
    ::close(fd);
}

void PhotoTree::addFile(const QString& relative, const QByteArray& bytes) const
{
    writeFile(path(relative), bytes);
}

} // namespace kivo::test
