#include "imaging/ImageFileType.h"

#include "imaging/ImageLoader.h"

#include <QBuffer>
#include <QImageReader>
#include <QMimeDatabase>
#include <QSet>

namespace kivo {
namespace {

struct DecoderTypes
{
    QSet<QByteArray> suffixes;  // lower-case format names, which are also their extensions
    QList<QMimeType> mimeTypes; // the MIME types the decoders read
};

const DecoderTypes& decoderTypes()
{
    static const DecoderTypes types = [] {
        DecoderTypes t;
        for (const QByteArray& format : QImageReader::supportedImageFormats())
            t.suffixes.insert(format.toLower());
        const QMimeDatabase db;
        for (const QByteArray& name : QImageReader::supportedMimeTypes()) {
            const QMimeType type = db.mimeTypeForName(QString::fromLatin1(name));
            if (type.isValid())
                t.mimeTypes.append(type);
        }
        return t;
    }();
    return types;
}

bool decoderCanReadContent(const QString& path)
{
    // The first bytes tell every format the decoders know. They are read as a photo is, so
    // that a named pipe or a file on a share that hangs cannot stop a folder scan.
    const PhotoBytes head = readPhotoFile(path, 4096);
    if (!head.ok() || head.data.isEmpty())
        return false;
    QByteArray data = head.data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    return reader.canRead();
}

} // namespace

bool isImageFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash + 1) // no extension (a leading dot names a hidden file, not a type)
        return decoderCanReadContent(path);

    const QString suffix = path.mid(dot + 1).toLower();
    const DecoderTypes& types = decoderTypes();
    if (types.suffixes.contains(suffix.toLatin1()))
        return true;

    const QMimeDatabase db;
    const QMimeType type = db.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    if (!type.isValid() || type.isDefault())
        return decoderCanReadContent(path);
    for (const QMimeType& readable : types.mimeTypes) {
        if (type == readable || type.inherits(readable.name()))
            return true;
    }
    return false;
}

} // namespace kivo
