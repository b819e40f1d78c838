// kivo-crop PHOTO...
//
// Writes the cropped JPEG files of each photo's crop job ticket (PHOTO with its extension
// replaced by "ticket") into the photo's folder, exactly as the crop editor writes them. Prints
// one line per file: "wrote PATH" or "failed PATH: WHY". Exit status 0 when every crop was
// written, 1 when any failed, 2 when a photo has no ticket that can be read (the other photos
// are still cropped).

#include "core/FileNames.h"
#include "imaging/CropTicket.h"
#include "imaging/CropWriter.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    // The JPEG encoder is a Qt Gui plugin; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QStringList photos;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        if (!optionsEnded && std::strcmp(argv[i], "--") == 0) {
            optionsEnded = true;
        } else if (!optionsEnded &&
                   (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0)) {
            std::puts("usage: kivo-crop PHOTO...");
            return 0;
        } else {
            photos.append(kivo::decodeFileName(argv[i]));
        }
    }
    if (photos.isEmpty()) {
        std::fputs("usage: kivo-crop PHOTO...\n", stderr);
        return 2;
    }

    bool anyFailed = false;
    bool anyWithoutTicket = false;
    for (QString photo : std::as_const(photos)) {
        if (!photo.startsWith(QLatin1Char('/')))
            photo = QDir::current().absoluteFilePath(photo);
        QString error;
        const auto ticket = kivo::readCropTicketForPhoto(photo, &error);
        if (!ticket) {
            anyWithoutTicket = true;
            std::fprintf(stderr, "kivo-crop: %s: %s\n", kivo::encodeFileName(photo).constData(),
                         error.isEmpty() ? "no crop ticket" : error.toLocal8Bit().constData());
            continue;
        }
        if (ticket->crops.isEmpty())
            std::fprintf(stderr, "kivo-crop: %s: the ticket lists no crops\n",
                         kivo::encodeFileName(photo).constData());
        for (const kivo::CroppedFile& file : kivo::writeCroppedFiles(*ticket, photo)) {
            const QByteArray path = kivo::encodeFileName(file.path.isEmpty() ? photo : file.path);
            if (file.ok()) {
                std::printf("wrote %s\n", path.constData());
            } else {
                anyFailed = true;
                std::printf("failed %s: %s\n", path.constData(),
                            file.error.toLocal8Bit().constData());
            }
        }
    }
    std::fflush(stdout);
    return anyWithoutTicket ? 2 : anyFailed ? 1 : 0;
}
