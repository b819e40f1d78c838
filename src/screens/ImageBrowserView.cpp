#include "screens/ImageBrowserView.h"

#include "imaging/ThumbnailLoader.h"
#include "screens/ImageBrowserModel.h"
#include "screens/PhotoPreview.h"

#include <QApplication>
#include <QIcon>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QListView>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QScroller>
#include <QSet>

namespace kivo {

namespace {
// Room around a thumbnail inside its cell for the mark's outline.
const QSize kCellPadding(12, 12);
} // namespace

// The list of photos; an arrow key only beeps, so the keyboard (a barcode scanner types like
// one) can never move the customer's choice.
class ImageBrowserView::List : public QListView
{
public:
    using QListView::QListView;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            QApplication::beep();
            event->accept();
            return;
        default:
            QListView::keyPressEvent(event);
        }
    }
};

// The model's photos with their thumbnails as decoration; a photo that does not decode gets the
// "cannot be shown" picture, one still loading none.
class ImageBrowserView::Decorations : public QIdentityProxyModel
{
public:
    Decorations(const ImageBrowserView& view, QObject* parent)
        : QIdentityProxyModel(parent), m_view(view)
    {}

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DecorationRole)
            return QIdentityProxyModel::data(index, role);
        // As an icon, so that a thumbnail larger than the cell is drawn fitted into it.
        const QString path = index.data(ImageBrowserModel::PathRole).toString();
        if (m_failed.contains(path))
            return QIcon(m_view.m_cannotShow);
        const QPixmap pixmap = m_view.thumbnail(path);
        return pixmap.isNull() ? QVariant() : QVariant(QIcon(pixmap));
    }

    void refresh(const QString& path, bool failed)
    {
        if (failed)
            m_failed.insert(path);
        else
            m_failed.remove(path);
        for (int row = 0; row < rowCount(); ++row) {
            const QModelIndex i = index(row, 0);
            if (i.data(ImageBrowserModel::PathRole).toString() == path)
                emit dataChanged(i, i, {Qt::DecorationRole});
        }
    }
    void clearFailed() { m_failed.clear(); }

private:
    const ImageBrowserView& m_view;
    QSet<QString> m_failed;
};

ImageBrowserView::ImageBrowserView(ImageBrowserModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_loader(new ThumbnailLoader(this)),
      m_cannotShow(QPixmap::fromImage(
          PhotoPreview::cannotShowPicture(QSize(kThumbnailSide / 2, kThumbnailSide / 3))))
{
    setObjectName(QStringLiteral("ImageBrowser"));
    m_decorations = new Decorations(*this, this);
    m_decorations->setSourceModel(&m_model);

    m_list = new List(this);
    m_list->setObjectName(QStringLiteral("ibImageBrowser"));
    m_list->setAccessibleName(tr("Photos"));
    m_list->setModel(m_decorations);
    m_list->setViewMode(QListView::IconMode);
    m_list->setFlow(QListView::LeftToRight);
    m_list->setMovement(QListView::Static);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setSpacing(0);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setDragEnabled(false);
    // A title too long for its cell keeps its end, where photos of one customer differ.
    m_list->setTextElideMode(Qt::ElideLeft);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    // A finger drags the photos along.
    QScroller::grabGesture(m_list->viewport(), QScroller::TouchGesture);

    connect(&m_model, &QAbstractItemModel::modelReset, this, &ImageBrowserView::photosChanged);
    connect(&m_model, &ImageBrowserModel::marksCleared, this, [this] {
        const QScopedValueRollback<bool> guard(m_syncing, true);
        m_list->selectionModel()->clearSelection();
    });
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                if (m_syncing)
                    return;
                QList<int> added, removed;
                for (const QModelIndex& i : selected.indexes())
                    added.append(i.row());
                for (const QModelIndex& i : deselected.indexes())
                    removed.append(i.row());
                m_model.updateMarks(added, removed);
            });
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit doubleClicked(index.row()); });
    connect(m_loader, &ThumbnailLoader::thumbnailLoaded, this, &ImageBrowserView::thumbnailLoaded);
    setRowsAndColumns(m_model.rows(), m_model.columns());
}

ImageBrowserView::~ImageBrowserView() = default;

void ImageBrowserView::setRowsAndColumns(int rows, int columns)
{
    m_model.setRowsAndColumns(rows, columns);
    const bool sideways = m_model.scrollsHorizontally();
    m_list->setWrapping(!sideways);
    m_list->setHorizontalScrollBarPolicy(sideways ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    // Several rows are paged or dragged; a scroll bar would only take room from the photos.
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (!sideways)
        setMinimumHeight(0);
    QSizePolicy policy(QSizePolicy::Expanding,
                       sideways ? QSizePolicy::Preferred : QSizePolicy::Expanding);
    policy.setHeightForWidth(sideways);
    setSizePolicy(policy);
    updateGeometry();
    adjustCellSize();
}

void ImageBrowserView::adjustCellSize()
{
    const QSizeF cell =
        ImageBrowserModel::cellSize(QSizeF(m_list->size()), m_model.rows(), m_model.columns());
    const QSize picture(qMax(1, int(cell.width())), qMax(1, int(cell.height())));
    // The cell holds the thumbnail; the titles share the room left below the rows.
    const int title = int(ImageBrowserModel::kTitleRoom) / m_model.rows();
    m_list->setGridSize(QSize(picture.width(), picture.height() + title));
    m_list->setIconSize((picture - kCellPadding).expandedTo(QSize(1, 1)));
}

void ImageBrowserView::setMarkMethod(bool on)
{
    m_model.setMarkMethod(on);
    m_list->setSelectionMode(on ? QAbstractItemView::MultiSelection
                                : QAbstractItemView::SingleSelection);
}

int ImageBrowserView::firstVisible() const
{
    // The cells lie edge to edge, so the scrolled distance tells the first cell in view.
    const QSize grid = m_list->gridSize();
    if (m_model.scrollsHorizontally())
        return (m_list->horizontalScrollBar()->value() + grid.width() / 2) / grid.width();
    return (m_list->verticalScrollBar()->value() + grid.height() / 2) / grid.height() *
           m_model.columns();
}

void ImageBrowserView::pageUp()
{
    scrollToFirst(m_model.pageUpTarget(firstVisible()));
}

void ImageBrowserView::pageDown()
{
    scrollToFirst(m_model.pageDownTarget(firstVisible()));
}

void ImageBrowserView::scrollToFirst(int row)
{
    // The cells are laid out lazily; a page asked for right after the photos arrived needs them.
    m_list->doItemsLayout();
    if (m_model.scrollsHorizontally())
        m_list->horizontalScrollBar()->setValue(row * m_list->gridSize().width());
    else
        m_list->verticalScrollBar()->setValue(row / m_model.columns() *
                                              m_list->gridSize().height());
}

void ImageBrowserView::selectPath(const QString& path)
{
    const int row = m_model.rowOfPath(path);
    if (row < 0)
        return;
    const QModelIndex index = m_decorations->index(row, 0);
    if (!m_list->selectionModel()->isSelected(index) || m_model.marks().size() != 1)
        m_list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    m_list->scrollTo(index);
}

void ImageBrowserView::shareThumbnailsOf(QAbstractItemModel* decorated, int pathRole)
{
    m_shared = decorated;
    m_sharedPathRole = pathRole;
    connect(decorated, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                takeSharedThumbnails(topLeft.row(), bottomRight.row());
            });
}

void ImageBrowserView::takeSharedThumbnails(int first, int last)
{
    if (!m_shared)
        return;
    for (int row = first; row <= last; ++row) {
        const QModelIndex i = m_shared->index(row, 0);
        const QString path = i.data(m_sharedPathRole).toString();
        const QPixmap pixmap = i.data(Qt::DecorationRole).value<QPixmap>();
        if (path.isEmpty() || pixmap.isNull() || m_model.rowOfPath(path) < 0)
            continue;
        m_thumbnails.insert(path, pixmap);
        m_decorations->refresh(path, false);
    }
    relayoutSoon();
}

void ImageBrowserView::waitForThumbnails()
{
    m_loader->waitForDone();
    QCoreApplication::sendPostedEvents(m_loader);
    QCoreApplication::sendPostedEvents(this);
}

void ImageBrowserView::photosChanged()
{
    m_loader->cancelPending();
    m_thumbnails.clear();
    m_decorations->clearFailed();
    if (m_shared) {
        // Thumbnails the other view decoded before these photos arrived are taken at once.
        takeSharedThumbnails(0, m_shared->rowCount() - 1);
        return;
    }
    const QSize bound(kThumbnailSide, kThumbnailSide);
    for (int row = 0; row < m_model.rowCount(); ++row)
        m_loader->requestThumbnail(m_model.pathAt(row), bound);
}

void ImageBrowserView::thumbnailLoaded(const QString& path, const QImage& image)
{
    if (m_model.rowOfPath(path) < 0)
        return;
    if (!image.isNull())
        m_thumbnails.insert(path, QPixmap::fromImage(image));
    m_decorations->refresh(path, image.isNull());
    relayoutSoon();
}

void ImageBrowserView::relayoutSoon()
{
    // A cell that gains its picture grows; the list places its cells again once for all the
    // pictures that arrived together.
    if (m_relayoutPending)
        return;
    m_relayoutPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_relayoutPending = false;
            m_list->doItemsLayout();
        },
        Qt::QueuedConnection);
}

bool ImageBrowserView::hasHeightForWidth() const
{
    return m_model.scrollsHorizontally();
}

int ImageBrowserView::heightForWidth(int width) const
{
    if (!m_model.scrollsHorizontally())
        return QWidget::heightForWidth(width);
    const int cell = (width - m_model.columns()) / m_model.columns();
    return cell + int(ImageBrowserModel::kTitleRoom) + 1;
}

void ImageBrowserView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_list->setGeometry(rect());
    // One row asks for the height of its square cells: nested layouts do not all pass a
    // height-for-width on, a minimum height they keep.
    if (m_model.scrollsHorizontally())
        setMinimumHeight(heightForWidth(width()));
    adjustCellSize();
}

} // namespace kivo
