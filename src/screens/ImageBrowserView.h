#pragma once

#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QAbstractItemModel;
class QListView;

namespace kivo {

class ImageBrowserModel;
class ThumbnailLoader;

// A touch browser of photos: rows x columns thumbnails fill the view, with their titles; a touch
// marks a photo (or toggles it with the mark method), a double touch asks to finish; page up and
// page down move a whole page; the arrow keys only beep, so the keyboard never moves the choice.
// The rules are the model's; this view shows its photos and reports the touches.
class ImageBrowserView : public QWidget
{
    Q_OBJECT

public:
    // The largest side of the thumbnails this view decodes itself.
    static constexpr int kThumbnailSide = 360;

    explicit ImageBrowserView(ImageBrowserModel& model, QWidget* parent = nullptr);
    ~ImageBrowserView() override;

    QListView* list() const { return m_list; }
    ImageBrowserModel& model() const { return m_model; }

    void setRowsAndColumns(int rows, int columns);
    // Sizes the cells so that exactly rows x columns fill the view (also after every resize).
    void adjustCellSize();
    // With the mark method a touch toggles one photo; without, it replaces the choice.
    void setMarkMethod(bool on);

    void pageUp();
    void pageDown();
    int firstVisible() const;

    // Shows PATH as the chosen photo (the grid chose it), scrolled into view.
    void selectPath(const QString& path);

    // Takes the thumbnails another view has decoded (DECORATED gives them as its decoration,
    // with the photos' paths under PATHROLE) instead of decoding the photos again.
    void shareThumbnailsOf(QAbstractItemModel* decorated, int pathRole);
    QPixmap thumbnail(const QString& path) const { return m_thumbnails.value(path); }
    // Blocks until the thumbnails asked for so far have arrived (tests, screenshots).
    void waitForThumbnails();

    // One row is as tall as its square cells and their titles; several rows take what they get.
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

signals:
    // A double touch on the photo at ROW.
    void doubleClicked(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class List;
    class Decorations;

    void photosChanged();
    void scrollToFirst(int row);
    void relayoutSoon();
    void thumbnailLoaded(const QString& path, const QImage& image);
    void takeSharedThumbnails(int first, int last);

    ImageBrowserModel& m_model;
    Decorations* m_decorations = nullptr;
    QListView* m_list = nullptr;
    ThumbnailLoader* m_loader = nullptr;
    QPointer<QAbstractItemModel> m_shared;
    int m_sharedPathRole = 0;
    QHash<QString, QPixmap> m_thumbnails;
    QPixmap m_cannotShow;
    bool m_syncing = false;
    bool m_relayoutPending = false;
};

} // namespace kivo
