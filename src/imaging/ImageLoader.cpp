#include "imaging/ImageLoader.h"

#include "core/FileNames.h"
#include "imaging/Exiv2Compat.h"
#include "imaging/Exiv2Support.h"
#include "imaging/ImageOrientation.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivo {

namespace {

std::atomic<int> stallLimitMs{kDefaultPhotoReadStallMs};
std::atomic<void (*)(const QString&)> readHook{nullptr};

// Reading threads still running, abandoned ones included. Past this many, files are hanging
// faster than they come back, and new reads are refused rather than stacking up threads.
std::atomic<int> readersRunning{0};
constexpr int kMaxReaders = 64;

// No photo is this large; a larger "photo" is not read into memory.
constexpr qint64 kLargestPhoto = qint64(1) << 30;

QString errnoText(const char* what, int code)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(code)));
}

// One read, shared by the thread that reads and the one that waits for it; whichever is last
// frees it.
struct ReadJob
{
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::atomic<qint64> received{0};
    PhotoBytes result;
};

PhotoBytes readRegularFile(const QString& path, qint64 maxBytes, bool followLinks,
                           std::atomic<qint64>& received)
{
    if (auto hook = readHook.load())
        hook(path);
    const QByteArray name = encodeFileName(path);
    struct stat st;
    if ((followLinks ? ::stat(name.constData(), &st) : ::lstat(name.constData(), &st)) != 0)
        return {{}, errnoText("cannot open", errno)};
    if (!S_ISREG(st.st_mode))
        return {{}, QStringLiteral("not a regular file")};
    // Without O_NONBLOCK, opening a named pipe put there since the check above would wait for
    // a writer.
    const int fd = ::open(name.constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return {{}, errnoText("cannot open", errno)};
    PhotoBytes out;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {{}, QStringLiteral("not a regular file")};
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const qint64 limit = maxBytes >= 0 ? maxBytes : kLargestPhoto;
    if (maxBytes < 0 && st.st_size > limit) {
        ::close(fd);
        return {{}, QStringLiteral("too large to be a photo")};
    }
    // The file may still grow (a camera station writing into the share): read to its end.
    out.data.resize(qMin<qint64>(limit, st.st_size > 0 ? st.st_size : 65536));
    qint64 have = 0;
    constexpr qint64 kChunk = 1 << 20;
    while (have < limit) {
        if (have == out.data.size())
            out.data.resize(qMin<qint64>(limit, have * 2));
        const qint64 want = qMin<qint64>(out.data.size() - have, kChunk);
        const ssize_t n = ::read(fd, out.data.data() + have, size_t(want));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.error = errnoText("cannot read", errno);
            break;
        }
        if (n == 0)
            break;
        have += n;
        received.store(have, std::memory_order_relaxed);
    }
    ::close(fd);
    if (maxBytes < 0 && have == limit && out.error.isEmpty())
        out.error = QStringLiteral("too large to be a photo");
    out.data.truncate(have);
    if (!out.ok())
        out.data.clear();
    return out;
}

// The EXIF orientation of an image file's BYTES, as imageRotation answers it for a path.
qint16 orientationOf(const QByteArray& bytes)
{
    imaging::initializeMetadata();
    try {
        imaging::Exiv2ImagePtr image = Exiv2::ImageFactory::open(
            reinterpret_cast<const Exiv2::byte*>(bytes.constData()), long(bytes.size()));
        if (!image.get())
            return 0;
        image->readMetadata();
        const auto value = imaging::exifInteger(image->exifData(), "Exif.Image.Orientation");
        if (!value)
            return 1;
        return (*value >= 1 && *value <= 8) ? static_cast<qint16>(*value) : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

} // namespace

QString expandTilde(const QString& path)
{
    if (path == QLatin1String("~"))
        return QDir::homePath();
    if (path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

void setPhotoReadStallLimit(int ms)
{
    stallLimitMs.store(ms > 0 ? ms : kDefaultPhotoReadStallMs);
}

void setPhotoReadHook(void (*hook)(const QString& path))
{
    readHook.store(hook);
}

PhotoBytes readPhotoFile(const QString& path, qint64 maxBytes, const std::atomic<bool>* cancel,
                         bool followLinks)
{
    if (path.isEmpty())
        return {{}, QStringLiteral("no path")};
    if (readersRunning.load() >= kMaxReaders)
        return {{}, QStringLiteral("too many photo reads are hanging")};
    auto job = std::make_shared<ReadJob>();
    ++readersRunning;
    try {
        std::thread([job, file = expandTilde(path), maxBytes, followLinks] {
            PhotoBytes result = readRegularFile(file, maxBytes, followLinks, job->received);
            {
                const std::lock_guard lock(job->mutex);
                job->result = std::move(result);
                job->done = true;
            }
            job->finished.notify_all();
            --readersRunning;
        }).detach();
    } catch (const std::system_error&) {
        --readersRunning;
        return {{}, QStringLiteral("cannot start a thread to read it")};
    }

    using Clock = std::chrono::steady_clock;
    const auto stall = std::chrono::milliseconds(stallLimitMs.load());
    // A cancel is noticed within this time even while the read hangs.
    constexpr auto kCancelCheck = std::chrono::milliseconds(20);
    auto deadline = Clock::now() + stall;
    qint64 seen = 0;
    std::unique_lock lock(job->mutex);
    while (!job->done) {
        if (cancel && cancel->load())
            return {{}, QStringLiteral("read given up")};
        const auto now = Clock::now();
        if (now >= deadline) {
            const qint64 received = job->received.load(std::memory_order_relaxed);
            if (received == seen)
                return {{}, QStringLiteral("no data for %1 ms").arg(stall.count())};
            seen = received; // slow but moving: give it another span
            deadline = now + stall;
        }
        job->finished.wait_until(lock, std::min(deadline, now + kCancelCheck));
    }
    return std::move(job->result);
}

bool prepareReader(QImageReader& reader, QBuffer& buffer, const QString& path)
{
    reader.setDevice(&buffer);
    reader.setAutoTransform(false);
    if (reader.canRead())
        return true;
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (suffix.isEmpty())
        return false;
    buffer.seek(0);
    reader.setDevice(&buffer);
    reader.setFormat(suffix);
    return true;
}

QImage decodeUprightImage(const QByteArray& bytes, const QString& path, const QSize& bound)
{
    if (bytes.isEmpty())
        return {};
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader;
    if (!prepareReader(reader, buffer, path))
        return {};
    const qint16 orientation = orientationOf(bytes);
    if (bound.isValid()) {
        const QSize decoded = reader.size();
        if (!decoded.isValid())
            return reader.read(); // a format that cannot tell its size first: as decoded
        const bool swap = orientationSwapsSides(orientation);
        const QSize upright = swap ? decoded.transposed() : decoded;
        if (upright.width() > bound.width() || upright.height() > bound.height()) {
            // The JPEG decoder scales while it decodes (DCT scaling): the full-size image
            // never exists in memory.
            const QSize fitted = upright.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
            reader.setScaledSize(swap ? fitted.transposed() : fitted);
        }
    }
    return uprightImage(reader.read(), orientation);
}

qint16 orientationOfBytes(const QByteArray& bytes)
{
    return orientationOf(bytes);
}

} // namespace kivo
