#include "screens/PhotoGridView.h"

#include "imaging/ThumbnailLoader.h"
#include "screens/PhotoGridModel.h"
#include "screens/PhotoPreview.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QIdentityProxyModel>
#include <QListView>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScroller>
#include <QThreadPool>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>
#include <tuple>

namespace kivo {

namespace {
// Room around a thumbnail for its name below it and the selection's outline.
const QSize kCellMargin(28, 52);
} // namespace

// The model's photos with their decoded thumbnails as decoration; a photo that cannot be shown
// gets the "cannot be shown" picture.
class PhotoGridView::Decorations : public QIdentityProxyModel
{
public:
    Decorations(const PhotoGridView& view, QObject* parent)
        : QIdentityProxyModel(parent), m_view(view),
          m_cannotShow(QPixmap::fromImage(
              PhotoPreview::cannotShowPicture(QSize(kThumbnailSide, kThumbnailSide * 2 / 3))))
    {}

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DecorationRole)
            return QIdentityProxyModel::data(index, role);
        if (!index.data(PhotoGridModel::ShowableRole).toBool())
            return m_cannotShow;
        const QPixmap pixmap = m_view.thumbnail(index.data(PhotoGridModel::PathRole).toString());
        return pixmap.isNull() ? m_loading : pixmap;
    }

    void refresh(const QString& path)
    {
        for (int row = 0; row < rowCount(); ++row) {
            const QModelIndex i = index(row, 0);
            if (i.data(PhotoGridModel::PathRole).toString() == path)
                emit dataChanged(i, i, {Qt::DecorationRole});
        }
    }

private:
    const PhotoGridView& m_view;
    QPixmap m_cannotShow;
    QPixmap m_loading;
};

PhotoGridView::PhotoGridView(PhotoGridModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_thumbnailLoader(new ThumbnailLoader(this)),
      m_previewLoader(new ThumbnailLoader(this, 1))
{
    setObjectName(QStringLiteral("ibSelectionNSView"));
    m_decorations = new Decorations(*this, this);
    m_decorations->setSourceModel(&m_model);

    m_preview = new PhotoPreview(this);

    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("ibPhotoBrowser"));
    m_list->setAccessibleName(tr("Photos"));
    m_list->setModel(m_decorations);
    m_list->setViewMode(QListView::IconMode);
    m_list->setFlow(QListView::LeftToRight);
    m_list->setWrapping(false);
    m_list->setMovement(QListView::Static);
    m_list->setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    m_list->setGridSize(QSize(kThumbnailSide, kThumbnailSide) + kCellMargin);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The strip is as tall as one row of cells plus its scroll bar, never cut.
    m_list->setFixedHeight(m_list->gridSize().height() + 40);
    // A finger drags the strip sideways.
    QScroller::grabGesture(m_list->viewport(), QScroller::TouchGesture);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_list);

    // The thumbnails are the strip's cells, left to right.
    QList<QPointF> origins;
    for (int i = 0; i < PhotoGridModel::kMaxPhotos; ++i)
        origins.append(QPointF(i * m_list->gridSize().width(), 0));
    m_model.buildGrid(origins, QSizeF(PhotoGridModel::kMaxPhotos * m_list->gridSize().width(),
                                      m_list->gridSize().height()));

    connect(&m_model, &QAbstractItemModel::modelReset, this, &PhotoGridView::photosChanged);
    connect(&m_model, &PhotoGridModel::photoSelected, this, &PhotoGridView::photoSelected);
    connect(&m_model, &PhotoGridModel::selectionRefused, this, [] { QApplication::beep(); });
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) { listSelectionChanged(selected); });
    connect(m_thumbnailLoader, &ThumbnailLoader::thumbnailLoaded, this,
            &PhotoGridView::thumbnailLoaded);
    connect(m_previewLoader, &ThumbnailLoader::thumbnailLoaded, this,
            &PhotoGridView::previewLoaded);
    m_preview->installEventFilter(this);
    m_recheck.setInterval(kRecheckMs);
    connect(&m_recheck, &QTimer::timeout, this, &PhotoGridView::recheck);
    photosChanged();
}

PhotoGridView::~PhotoGridView() = default;

namespace {

// Whether a decode made within BOUND is close enough to one made within NEEDED (a few pixels
// of layout change are not worth decoding the photo again).
bool covers(const QSize& bound, const QSize& needed)
{
    return bound.width() * 8 >= needed.width() * 7 && bound.height() * 8 >= needed.height() * 7;
}

} // namespace

bool PhotoGridView::decodersIdle() const
{
    return m_thumbnailQueue.isEmpty() && m_thumbnailsDecoding == 0 && !m_previewWanted &&
           !m_previewDecoding;
}

void PhotoGridView::waitForImages()
{
    // Each result asks for the next decode, so this runs until nothing is left to ask for.
    while (!decodersIdle()) {
        const auto state = std::make_tuple(m_thumbnailQueue.size(), m_thumbnailsDecoding,
                                           m_previewWanted, m_previewDecoding);
        m_thumbnailLoader->waitForDone();
        m_previewLoader->waitForDone();
        QCoreApplication::sendPostedEvents(m_thumbnailLoader);
        QCoreApplication::sendPostedEvents(m_previewLoader);
        QCoreApplication::sendPostedEvents(this);
        if (state == std::make_tuple(m_thumbnailQueue.size(), m_thumbnailsDecoding, m_previewWanted,
                                     m_previewDecoding))
            break;
    }
}

QSize PhotoGridView::previewBound() const
{
    const int frame = 2 * PhotoPreview::kFrameWidth;
    const QSize area = m_preview->contentsRect().size() - QSize(frame, frame);
    // Not laid out yet: a size that suits any screen until the preview has its own.
    if (area.width() < m_preview->minimumWidth() - frame ||
        area.height() < m_preview->minimumHeight() - frame)
        return QSize(kPreviewSide, kPreviewSide);
    const qreal ratio = m_preview->devicePixelRatioF();
    return QSize(qCeil(area.width() * ratio), qCeil(area.height() * ratio));
}

bool PhotoGridView::eventFilter(QObject* watched, QEvent* event)
{
    // A preview grown well beyond the decode it shows gets the photo decoded at its new size.
    if (watched == m_preview && event->type() == QEvent::Resize && !m_previewPath.isEmpty() &&
        !m_preview->showsCannotShow() && !m_previewWanted &&
        !covers(m_previewDecodeBound, previewBound())) {
        m_previewWanted = true;
        feedDecoders();
    }
    return QWidget::eventFilter(watched, event);
}

void PhotoGridView::photosChanged()
{
    // Decodes already running for the previous visit still report back (and are let go).
    m_thumbnails.clear();
    m_visitPhotos.clear();
    m_thumbnailQueue.clear();
    m_previewPath.clear();
    m_previewWanted = false;
    m_previewComplete = false;
    m_preview->clear();
    m_unshownSeen.clear();
    m_unshownTried.clear();
    for (int row = 0; row < m_model.rowCount(); ++row) {
        if (m_model.isShowable(row)) {
            m_thumbnailQueue.append(m_model.pathAt(row));
            m_visitPhotos.insert(m_model.pathAt(row));
        } else {
            m_unshownSeen.insert(m_model.pathAt(row), {});
        }
    }
    if (m_unshownSeen.isEmpty())
        m_recheck.stop();
    else
        m_recheck.start();
    feedDecoders();
}

void PhotoGridView::feedDecoders()
{
    // Two decodes at a time, so that the first photo is not slowed down by a third and no more
    // than two photos are ever being decoded in memory. The selected photo's preview goes first.
    const auto running = [this] { return m_thumbnailsDecoding + (m_previewDecoding ? 1 : 0); };
    if (m_previewWanted && !m_previewDecoding && running() < kDecodeSlots) {
        m_previewWanted = false;
        m_previewDecoding = true;
        m_previewDecodeBound = previewBound();
        m_previewLoader->requestThumbnail(m_previewPath, m_previewDecodeBound);
    }
    while (running() < kDecodeSlots && !m_thumbnailQueue.isEmpty()) {
        const QString path = m_thumbnailQueue.takeFirst();
        if (m_thumbnails.contains(path))
            continue;
        ++m_thumbnailsDecoding;
        m_thumbnailLoader->requestThumbnail(path, QSize(kThumbnailSide, kThumbnailSide));
    }
}

void PhotoGridView::listSelectionChanged(const QItemSelection& selected)
{
    if (m_syncing || selected.indexes().isEmpty())
        return;
    const int row = selected.indexes().constFirst().row();
    if (row != m_model.selectedIndex())
        m_model.selectItem(row);
}

void PhotoGridView::photoSelected(int entry, const QString& path, bool showable)
{
    {
        const QScopedValueRollback<bool> guard(m_syncing, true);
        if (entry >= 0 && entry < m_decorations->rowCount()) {
            const QModelIndex index = m_decorations->index(entry, 0);
            m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            m_list->scrollTo(index);
        } else {
            m_list->selectionModel()->clearSelection();
        }
    }

    const QString name = QFileInfo(path).fileName();
    if (entry < 0) {
        m_previewPath.clear();
        m_previewWanted = false;
        m_preview->clear();
        return;
    }
    if (!showable) {
        m_previewPath = path;
        m_previewWanted = false;
        m_preview->showCannotShow(name);
        return;
    }
    // The photo already in the preview is not decoded again.
    if (path == m_previewPath && !m_preview->showsCannotShow() && !m_preview->image().isNull())
        return;
    m_previewPath = path;
    m_previewComplete = false;
    // The thumbnail stands in, enlarged, until the preview's own decode arrives.
    m_preview->showPhoto(m_thumbnails.value(path).toImage(), name);
    m_previewWanted = true;
    feedDecoders();
}

void PhotoGridView::thumbnailLoaded(const QString& path, const QImage& image)
{
    m_thumbnailsDecoding = std::max(0, m_thumbnailsDecoding - 1);
    if (m_visitPhotos.contains(path)) {
        if (image.isNull()) {
            markUnshowable(path);
        } else {
            if (m_unshownSeen.remove(path)) {
                // Whole now: shown, and it can be ordered.
                m_unshownTried.remove(path);
                for (int row = 0; row < m_model.rowCount(); ++row) {
                    if (m_model.pathAt(row) == path)
                        m_model.setShowable(row, true);
                }
            }
            m_thumbnails.insert(path, QPixmap::fromImage(image));
            m_decorations->refresh(path);
            if (path == m_previewPath && !m_previewComplete && m_preview->image().isNull() &&
                !m_preview->showsCannotShow())
                m_preview->showPhoto(image, QFileInfo(path).fileName());
        }
    }
    feedDecoders();
}

void PhotoGridView::previewLoaded(const QString& path, const QImage& image)
{
    m_previewDecoding = false;
    if (path == m_previewPath) {
        if (image.isNull()) {
            m_previewWanted = false;
            markUnshowable(path);
        } else {
            if (covers(m_previewDecodeBound, previewBound()))
                m_previewWanted = false; // a re-selection meanwhile needs no second decode
            m_previewComplete = true;
            m_preview->showPhoto(image, QFileInfo(path).fileName());
        }
    }
    feedDecoders();
}

void PhotoGridView::markUnshowable(const QString& path)
{
    if (!m_unshownSeen.contains(path))
        m_unshownSeen.insert(path, {});
    m_thumbnails.remove(path);
    m_recheck.start();
    // The model decides; a selected photo comes back through photoSelected as not showable.
    for (int row = 0; row < m_model.rowCount(); ++row) {
        if (m_model.pathAt(row) == path)
            m_model.setShowable(row, false);
    }
}

void PhotoGridView::recheck()
{
    if (m_unshownSeen.isEmpty()) {
        m_recheck.stop();
        return;
    }
    if (m_rechecking)
        return;
    m_rechecking = true;
    // A look at a file on a share that stopped answering must not hold the screen.
    constexpr int kLookLimitMs = 1000;
    const QStringList paths = m_unshownSeen.keys();
    const QPointer<PhotoGridView> self(this);
    QThreadPool::globalInstance()->start([self, paths] {
        QHash<QString, PhotoStamp> stamps;
        for (const QString& path : paths)
            stamps.insert(path, PhotoStamp::within(path, kLookLimitMs));
        QMetaObject::invokeMethod(qApp, [self, stamps] {
            if (self)
                self->recheckLooked(stamps);
        });
    });
}

void PhotoGridView::recheckLooked(const QHash<QString, PhotoStamp>& stamps)
{
    m_rechecking = false;
    bool asked = false;
    for (auto it = stamps.constBegin(); it != stamps.constEnd(); ++it) {
        const QString& path = it.key();
        const PhotoStamp& now = it.value();
        const auto seen = m_unshownSeen.find(path);
        if (seen == m_unshownSeen.end())
            continue; // shown meanwhile, or another visit
        const PhotoStamp before = *seen;
        *seen = now;
        // Decoded again only once it has stopped changing, and only when it changed since.
        if (!now.isValid() || !(now == before) || now == m_unshownTried.value(path))
            continue;
        m_unshownTried.insert(path, now);
        m_visitPhotos.insert(path);
        m_thumbnailQueue.append(path);
        asked = true;
    }
    if (asked)
        feedDecoders();
}

} // namespace kivo
