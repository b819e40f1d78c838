#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

namespace kivo::demo {

// One demo photo: the customer's ID, its place in the images folder, and the EXIF orientation
// its pixels are stored with (the picture looks upright once the orientation is applied).
struct DemoPhoto
{
    QString id;
    QString relativePath;
    int orientation = 1;
    bool portrait = false;
};

// The photos the demo makes, with today's day subfolder named by DAYFOLDER.
QList<DemoPhoto> demoPhotos(const QString& dayFolder);

// Makes a demo station under ROOT: images (camera-size JPEGs of SIZE with EXIF orientation
// tags, some in today's day folder), point-of-sale and receipt folders, the attract movie (when
// GStreamer's tools are installed), and a settings file pointing at them. Answers false (with
// ERROR) when something could not be written.
bool makeDemo(const QString& root, const QSize& size, QString* error);

} // namespace kivo::demo
