#pragma once

#include <QHash>
#include <QPixmap>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "imaging/ThumbnailCache.h"

class QListView;
class QItemSelection;

namespace kivo {

class PhotoGridModel;
class PhotoPreview;
class ThumbnailLoader;

// The visit's photos as a row of thumbnails under a large preview of the selected one. A touch
// on a thumbnail (or a selection made through the accessibility interface) selects that photo
// in the model; the model's selection is what the preview and the package panel show.
// Thumbnails and the preview decode upright, reduced to the size they are shown at, at most two
// at a time (the station's two cores): the selected photo's preview goes before the thumbnails
// still waiting, and the thumbnails load in the strip's order. A photo that cannot be shown is
// looked at again every few seconds: once its file has stopped changing (a copy still arriving
// when the visit began) it is decoded once more, and shown when it decodes whole.
class PhotoGridView : public QWidget
{
    Q_OBJECT

public:
    // The largest side of a thumbnail.
    static constexpr int kThumbnailSide = 150;
    // The preview is decoded at its size on screen; this side stands in until it has one.
    static constexpr int kPreviewSide = 1600;
    // Decodes running at once, thumbnails and preview together.
    static constexpr int kDecodeSlots = 2;
    // How often the photos that cannot be shown are looked at again.
    static constexpr int kRecheckMs = 2000;

    explicit PhotoGridView(PhotoGridModel& model, QWidget* parent = nullptr);
    ~PhotoGridView() override;

    QListView* thumbnails() const { return m_list; }
    PhotoPreview* preview() const { return m_preview; }
    // The thumbnail decoded for PATH, null while it is still loading.
    QPixmap thumbnail(const QString& path) const { return m_thumbnails.value(path); }
    // Whether the preview shows the selected photo's own decode (not the thumbnail standing in).
    bool previewComplete() const { return m_previewComplete; }

    // Blocks until the thumbnails and the preview asked for so far have arrived (tests, shots).
    void waitForImages();

    // The size the preview's photo is decoded at: the preview's picture area in device pixels.
    QSize previewBound() const;
    // The interval of the looks at photos that cannot be shown (tests shorten it).
    void setRecheckInterval(int ms) { m_recheck.setInterval(ms); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void photosChanged();
    void feedDecoders();
    bool decodersIdle() const;
    void listSelectionChanged(const QItemSelection& selected);
    void photoSelected(int entry, const QString& path, bool showable);
    void thumbnailLoaded(const QString& path, const QImage& image);
    void previewLoaded(const QString& path, const QImage& image);
    void markUnshowable(const QString& path);
    // Looks at the photos that cannot be shown (off this thread); recheckLooked has the answer.
    void recheck();
    void recheckLooked(const QHash<QString, PhotoStamp>& stamps);

    PhotoGridModel& m_model;
    class Decorations;
    Decorations* m_decorations = nullptr;
    QListView* m_list = nullptr;
    PhotoPreview* m_preview = nullptr;
    ThumbnailLoader* m_thumbnailLoader = nullptr;
    ThumbnailLoader* m_previewLoader = nullptr;
    QHash<QString, QPixmap> m_thumbnails;
    // Photos of this visit (results for others are stale), and thumbnails not yet asked for.
    QSet<QString> m_visitPhotos;
    QStringList m_thumbnailQueue;
    int m_thumbnailsDecoding = 0;
    QString m_previewPath;
    // The preview decode wanted (not yet started) and the one running, with its bound.
    bool m_previewWanted = false;
    bool m_previewDecoding = false;
    QSize m_previewDecodeBound;
    bool m_previewComplete = false;
    bool m_syncing = false;
    // Photos that cannot be shown: as the last look found them, and as they were when last
    // decoded.
    QHash<QString, PhotoStamp> m_unshownSeen;
    QHash<QString, PhotoStamp> m_unshownTried;
    QTimer m_recheck;
    bool m_rechecking = false;
};

} // namespace kivo
