#include "screens/ImageBrowserModel.h"

#include "core/ConsoleLog.h"
#include "core/FileNames.h"
#include "core/Settings.h"
#include "imaging/ImageFileType.h"
#include "screens/Logging.h"

#include <QDir>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>

#include <algorithm>
#include <memory>

namespace kivo {

namespace {

void log(const char* method, const QString& text)
{
    consoleLog(lcScreens(), "ImageBrowserModel", method, text);
}

void addIfPhoto(const QFileInfo& info, QList<BrowserPhoto>& photos)
{
    // A folder that only looks like a file (a package) and links to anything but a regular
    // file are not photos. The check goes through the byte-keeping codec, so a photo whose name
    // is not UTF-8 (handed over by the search) stays in the browser.
    if (!kivo::isReadableFile(info.absoluteFilePath()) || !isImageFile(info.absoluteFilePath()))
        return;
    photos.append({info.absoluteFilePath(), int(photos.size()) + 1});
}

} // namespace

ImageBrowserModel::ImageBrowserModel(QObject* parent)
    : QAbstractListModel(parent), m_watcher(new QFutureWatcher<QList<BrowserPhoto>>(this))
{
    connect(m_watcher, &QFutureWatcher<QList<BrowserPhoto>>::finished, this, [this] {
        const QList<BrowserPhoto> photos = m_watcher->result();
        if (m_watcher->property("generation").toULongLong() != m_generation)
            return; // the photos were removed while the worker ran
        m_loading = false;
        setPhotos(photos);
        emit doneAddingImages();
    });
}

ImageBrowserModel::~ImageBrowserModel()
{
    // The worker holds nothing of the model; its result is simply not collected.
    m_watcher->disconnect(this);
}

QList<BrowserPhoto> ImageBrowserModel::collectPhotos(const QStringList& paths)
{
    QList<BrowserPhoto> photos;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (info.isDir()) {
            const QFileInfoList entries =
                QDir(path).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
            for (const QFileInfo& entry : entries)
                addIfPhoto(entry, photos);
        } else {
            addIfPhoto(info, photos);
        }
    }
    return photos;
}

void ImageBrowserModel::addImages(const QStringList& paths)
{
    if (m_settings)
        m_settings->setCurrentPathForImageView(QStringLiteral("< No Photo Selected >"));
    setPhotos({});
    m_loading = true;
    const quint64 generation = ++m_generation;
    auto promise = std::make_shared<QPromise<QList<BrowserPhoto>>>();
    promise->start();
    m_watcher->setProperty("generation", generation);
    m_watcher->setFuture(promise->future());
    // A folder on a share that stops answering holds up this worker, never the screen.
    QThreadPool::globalInstance()->start([promise, paths] {
        promise->addResult(collectPhotos(paths));
        promise->finish();
    });
}

void ImageBrowserModel::removeImages()
{
    ++m_generation;
    m_loading = false;
    setPhotos({});
}

void ImageBrowserModel::setPhotos(const QList<BrowserPhoto>& photos)
{
    beginResetModel();
    m_photos = photos;
    m_marks.clear();
    endResetModel();
    emit selectionCountChanged(0);
    emit currentPhotoChanged(-1, QString());
}

QString ImageBrowserModel::pathAt(int row) const
{
    return row >= 0 && row < m_photos.size() ? m_photos.at(row).path : QString();
}

int ImageBrowserModel::rowOfPath(const QString& path) const
{
    for (int row = 0; row < m_photos.size(); ++row) {
        if (m_photos.at(row).path == path)
            return row;
    }
    return -1;
}

QStringList ImageBrowserModel::paths() const
{
    QStringList list;
    for (const BrowserPhoto& photo : m_photos)
        list.append(photo.path);
    return list;
}

QSizeF ImageBrowserModel::cellSize(const QSizeF& viewSize, int rows, int columns)
{
    if (rows < 1 || columns < 1)
        return {};
    const float width = float(viewSize.width()) - float(columns);
    const float height = float(viewSize.height()) - float(kTitleRoom) - float(rows);
    return QSizeF(qMax(0.0f, width / float(columns)), qMax(0.0f, height / float(rows)));
}

void ImageBrowserModel::setRowsAndColumns(int rows, int columns)
{
    m_rows = qMax(1, rows);
    m_columns = qMax(1, columns);
}

int ImageBrowserModel::pageUpTarget(int firstVisible) const
{
    return qMax(0, firstVisible - m_rows * m_columns);
}

int ImageBrowserModel::pageDownTarget(int firstVisible) const
{
    const int count = int(m_photos.size());
    int lastPageStart = 0;
    if (scrollsHorizontally()) {
        lastPageStart = qMax(0, count - m_columns);
    } else {
        const int lines = (count + m_columns - 1) / m_columns;
        lastPageStart = qMax(0, lines - m_rows) * m_columns;
    }
    return qBound(0, firstVisible + m_rows * m_columns, lastPageStart);
}

void ImageBrowserModel::updateMarks(const QList<int>& added, const QList<int>& removed)
{
    QList<int> marks = m_marks;
    for (int row : removed)
        marks.removeAll(row);
    for (int row : added) {
        if (row >= 0 && row < m_photos.size() && !marks.contains(row))
            marks.append(row);
    }
    setMarks(marks);
}

void ImageBrowserModel::unmarkAll()
{
    setMarks({});
    emit marksCleared();
}

void ImageBrowserModel::setMarks(const QList<int>& marks)
{
    if (marks == m_marks)
        return;
    const int lastBefore = lastMark();
    QList<int> changed = m_marks;
    changed.append(marks);
    m_marks = marks;
    for (int row : changed)
        emit dataChanged(index(row, 0), index(row, 0), {MarkedRole});
    emit selectionCountChanged(int(m_marks.size()));
    const int last = lastMark();
    if (last == lastBefore)
        return;
    const QString path = pathAt(last);
    if (m_settings && !path.isEmpty()) {
        m_settings->setCurrentPathForImageView(QFileInfo(path).fileName());
        m_settings->setCurrentFullPathForImageView(path);
    }
    emit currentPhotoChanged(last, path);
}

PhotoChoice ImageBrowserModel::finishChoice() const
{
    PhotoChoice choice;
    choice.count = m_marks.isEmpty() ? int(m_photos.size()) : int(m_marks.size());
    if (choice.count > kMaxImagesItems) {
        log("onButtonAction", QStringLiteral("Selected [%1] images EXCEEDS kMaxImagesItems of [%2]")
                                  .arg(choice.count)
                                  .arg(kMaxImagesItems));
        return choice;
    }
    choice.accepted = true;
    QList<int> rows = m_marks;
    std::sort(rows.begin(), rows.end());
    for (int row : rows)
        choice.markedPaths.append(pathAt(row));
    choice.lastIndex = lastMark();
    choice.lastPath = pathAt(choice.lastIndex);
    return choice;
}

int ImageBrowserModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_photos.size());
}

QVariant ImageBrowserModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_photos.size())
        return {};
    const BrowserPhoto& photo = m_photos.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
        // The title under a photo: its file name without the extension.
        return QFileInfo(photo.path).completeBaseName();
    case Qt::AccessibleTextRole:
        return QFileInfo(photo.path).fileName();
    case IndexRole:
        return photo.index;
    case PathRole:
        return photo.path;
    case MarkedRole:
        return m_marks.contains(index.row());
    default:
        return {};
    }
}

} // namespace kivo
