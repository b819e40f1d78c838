#include "PhotoTreeFixture.h"

#include <QBuffer>

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

void PhotoTree::addPhoto(const QString& relative) const
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    writeFile(path(relative), bytes);
}

void PhotoTree::addFile(const QString& relative, const QByteArray& bytes) const
{
    writeFile(path(relative), bytes);
}

} // namespace kivo::test
