#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QListView;
class QItemSelection;

namespace kivo {

class PhotoGridModel;
class PhotoPreview;
class ThumbnailLoader;

// The visit's photos as a row of thumbnails under a large preview of the selected one. A touch
// on a thumbnail (or a selection made through the accessibility interface) selects that photo
// in the model; the model's selection is what the preview and the package panel show.
// Thumbnails and the preview decode upright on their own pools.
class PhotoGridView : public QWidget
{
    Q_OBJECT

public:
    // The largest side of a thumbnail and of the preview's decode.
    static constexpr int kThumbnailSide = 150;
    static constexpr int kPreviewSide = 1600;

    explicit PhotoGridView(PhotoGridModel& model, QWidget* parent = nullptr);
    ~PhotoGridView() override;

    QListView* thumbnails() const { return m_list; }
    PhotoPreview* preview() const { return m_preview; }
    // The thumbnail decoded for PATH, null while it is still loading.
    QPixmap thumbnail(const QString& path) const { return m_thumbnails.value(path); }

    // Blocks until the thumbnails and the preview asked for so far have arrived (tests, shots).
    void waitForImages();

private:
    void photosChanged();
    void listSelectionChanged(const QItemSelection& selected);
    void photoSelected(int entry, const QString& path, bool showable);
    void thumbnailLoaded(const QString& path, const QImage& image);
    void previewLoaded(const QString& path, const QImage& image);
    void markUnshowable(const QString& path);

    PhotoGridModel& m_model;
    class Decorations;
    Decorations* m_decorations = nullptr;
    QListView* m_list = nullptr;
    PhotoPreview* m_preview = nullptr;
    ThumbnailLoader* m_thumbnailLoader = nullptr;
    ThumbnailLoader* m_previewLoader = nullptr;
    QHash<QString, QPixmap> m_thumbnails;
    QString m_previewPath;
    bool m_previewComplete = false;
    bool m_syncing = false;
};

} // namespace kivo
