#pragma once

#include "support/TestRoot.h"

#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure messages for paths.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace kivo::test {

// An images folder with real (tiny) JPEGs: a customer 123456 with photos at the top, in a day
// folder and in a party folder, another customer, non-image files and a look-alike name.
struct PhotoTree
{
    explicit PhotoTree(const TestRoot& root);

    QString folder;
    QString path(const QString& relative) const { return folder + QLatin1Char('/') + relative; }
    void addPhoto(const QString& relative) const { addPhotoNamed(QFile::encodeName(relative)); }
    // A photo whose relative path is given as the file system's bytes (any name, UTF-8 or not).
    void addPhotoNamed(const QByteArray& relative) const;
};

} // namespace kivo::test
