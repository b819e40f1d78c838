#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QSizeF>
#include <QStringList>

template <typename T> class QFutureWatcher;

namespace kivo {

class Settings;

// One photo of a browser: its file and its place (1-based, counted as the photos were added).
struct BrowserPhoto
{
    QString path;
    int index = 0;
};

// What finishing the choice of photos in the marking window gives.
struct PhotoChoice
{
    // False when more photos are chosen than one sale can hold; nothing else is set then.
    bool accepted = false;
    // The number of photos chosen: the marked ones, or every photo when none is marked.
    int count = 0;
    // The marked photos, in the browser's order (empty when none is marked).
    QStringList markedPaths;
    // The photo marked last, and its row (-1 and empty when none is marked).
    int lastIndex = -1;
    QString lastPath;
};

// The photos of a touch browser and the rules it follows: the photos are collected from files
// and folders on a worker (folders give their own entries, not those of subfolders; only regular
// image files are kept); the cells are sized so that exactly rows x columns fill the view;
// paging moves a whole page; touches mark photos (with the mark method a touch toggles one photo,
// otherwise it replaces the marks), and the marks finish into a choice of at most 40 photos.
// Qt Core only; main thread.
class ImageBrowserModel : public QAbstractListModel
{
    Q_OBJECT

public:
    // The most photos one sale holds (the grid keeps 40 orders).
    static constexpr int kMaxImagesItems = 40;
    // Room below the cells for the photos' titles.
    static constexpr qreal kTitleRoom = 60;

    enum Role
    {
        PathRole = Qt::UserRole + 1, // the photo's full path
        IndexRole,                   // its 1-based place, as the subtitle shows it
        MarkedRole                   // whether the customer marked it
    };

    explicit ImageBrowserModel(QObject* parent = nullptr);
    ~ImageBrowserModel() override;

    // The selected photo's name and path go into these settings (the zoom and editing windows
    // read them); none by default.
    void setSettings(Settings* settings) { m_settings = settings; }

    // Replaces the photos with those found at PATHS, collected on a worker; doneAddingImages
    // follows when they are on show. A load still running is overtaken and its result dropped.
    void addImages(const QStringList& paths);
    void removeImages();
    bool isLoading() const { return m_loading; }
    // What the worker does: the photos at PATHS, numbered from 1. Safe from any thread.
    static QList<BrowserPhoto> collectPhotos(const QStringList& paths);

    QString pathAt(int row) const;
    int rowOfPath(const QString& path) const;
    QStringList paths() const;

    // Cells: ROWS x COLUMNS of them fill a view of VIEWSIZE, less one point a row and a column
    // and the titles' room.
    static QSizeF cellSize(const QSizeF& viewSize, int rows, int columns);
    void setRowsAndColumns(int rows, int columns);
    int rows() const { return m_rows; }
    int columns() const { return m_columns; }
    // One row scrolls sideways; several rows scroll up and down.
    bool scrollsHorizontally() const { return m_rows == 1; }
    // The first photo of the page before or after the one starting at FIRSTVISIBLE (a page is
    // rows x columns photos), kept within the photos.
    int pageUpTarget(int firstVisible) const;
    int pageDownTarget(int firstVisible) const;

    // Marks, in the order they were made. The view reports every change of its selection.
    void setMarkMethod(bool on) { m_markMethod = on; }
    bool markMethod() const { return m_markMethod; }
    void updateMarks(const QList<int>& added, const QList<int>& removed);
    void unmarkAll();
    QList<int> marks() const { return m_marks; }
    int lastMark() const { return m_marks.isEmpty() ? -1 : m_marks.constLast(); }
    // The photos chosen when the customer continues.
    PhotoChoice finishChoice() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

signals:
    void doneAddingImages();
    // The number of marked photos changed.
    void selectionCountChanged(int count);
    // The photo marked last changed (ROW -1: none); the grid follows it.
    void currentPhotoChanged(int row, const QString& path);
    // Everything unmarked at once; the view clears its selection.
    void marksCleared();

private:
    void setPhotos(const QList<BrowserPhoto>& photos);
    void setMarks(const QList<int>& marks);

    QList<BrowserPhoto> m_photos;
    QList<int> m_marks;
    Settings* m_settings = nullptr;
    QFutureWatcher<QList<BrowserPhoto>>* m_watcher = nullptr;
    quint64 m_generation = 0;
    bool m_loading = false;
    bool m_markMethod = false;
    int m_rows = 1;
    int m_columns = 6;
};

} // namespace kivo
