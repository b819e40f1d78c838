#include "screens/SellingScreen.h"

#include "screens/ImageBrowserModel.h"
#include "screens/ImageBrowserView.h"
#include "screens/PackagePanelView.h"
#include "screens/PhotoGridModel.h"
#include "screens/PhotoGridView.h"
#include "screens/PhotoPreview.h"
#include "screens/SellingCoordinator.h"
#include "screens/SellingTotalsView.h"
#include "screens/StaffNoticeIndicator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace kivo {

namespace {

constexpr int kSponsorMaxWidth = 240;
constexpr int kSponsorMaxHeight = 64;
// The heading gives up size before it wraps, down to the smallest body text.
constexpr int kHeadingMinPixels = 18;

// A picture drawn whole inside the label, in its proportions, whatever its own size.
class FittedPicture : public QLabel
{
public:
    using QLabel::QLabel;

    QSize sizeHint() const override
    {
        const QPixmap picture = pixmap();
        if (picture.isNull())
            return QLabel::sizeHint();
        return picture.size().scaled(maximumSize(), Qt::KeepAspectRatio).boundedTo(picture.size());
    }
    QSize minimumSizeHint() const override { return {0, 0}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QPixmap picture = pixmap();
        if (picture.isNull())
            return;
        const QSize size = picture.size().scaled(contentsRect().size(), Qt::KeepAspectRatio);
        QRect target(QPoint(), size);
        target.moveCenter(contentsRect().center());
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, picture);
    }
};

// The heading on one line: in the style's size where it fits, else smaller down to the body
// text's size, and cut short only where even that does not fit.
class OneLineHeading : public QLabel
{
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override
    {
        const QMargins m = contentsMargins();
        return {QFontMetrics(smallest()).horizontalAdvance(text()) + m.left() + m.right(),
                QLabel::minimumSizeHint().height()};
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QRect room = contentsRect();
        QFont f = font();
        int pixels = f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
        while (pixels > kHeadingMinPixels &&
               QFontMetrics(f).horizontalAdvance(text()) > room.width()) {
            f.setPixelSize(--pixels);
        }
        QPainter painter(this);
        painter.setFont(f);
        const QString shown = QFontMetrics(f).elidedText(text(), Qt::ElideRight, room.width());
        style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), shown,
                              foregroundRole());
    }

private:
    QFont smallest() const
    {
        QFont f = font();
        f.setPixelSize(kHeadingMinPixels);
        return f;
    }
};

} // namespace

SellingScreen::SellingScreen(PhotoGridModel& grid, PackagePanelModel& panel,
                             SellingCoordinator& coordinator, QWidget* parent)
    : QWidget(parent), m_gridModel(grid)
{
    setObjectName(QStringLiteral("SellingScreen"));
    setAttribute(Qt::WA_StyledBackground);

    // Two columns: the photos with what concerns them (their figures, a closer look, their
    // pages) on the left; the packages with the order's own buttons on the right. The order's
    // buttons sit under the packages, so that eight package rows and "Show Summary" stand whole
    // from 1024 x 768 up and in portrait. Upright the two columns stand one above the other,
    // the photos on top (see resizeEvent).
    auto* root = new QBoxLayout(QBoxLayout::LeftToRight, this);
    m_columns = root;
    root->setSpacing(16);

    auto* photos = new QVBoxLayout();
    photos->setSpacing(8);
    m_photoColumn = photos;
    auto* heading = new QHBoxLayout();
    // The staff's dot keeps the top left corner; the heading starts clear of it.
    m_staffNotice = new StaffNoticeIndicator(this, Qt::TopLeftCorner);
    heading->addSpacing(StaffNoticeIndicator::cornerReach());
    m_customer = new OneLineHeading(this);
    m_customer->setObjectName(QStringLiteral("ibCustomerLabel"));
    m_customer->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    heading->addWidget(m_customer, 1);
    // The sponsor's logo sits at the right of the heading, clear of the photos, and never
    // taller than the heading whatever the size of its picture.
    m_sponsor = new FittedPicture(this);
    m_sponsor->setObjectName(QStringLiteral("ibSponsorView"));
    m_sponsor->setAccessibleName(tr("Sponsor logo"));
    m_sponsor->setMaximumSize(kSponsorMaxWidth, kSponsorMaxHeight);
    heading->addWidget(m_sponsor, 0, Qt::AlignRight | Qt::AlignVCenter);
    photos->addLayout(heading);

    m_grid = new PhotoGridView(grid, this);
    photos->addWidget(m_grid, 1);
    // The browser stands in for the grid's own strip of thumbnails and shows the pictures the
    // grid has decoded, so no photo is decoded twice.
    m_grid->thumbnails()->hide();
    m_browserModel = new ImageBrowserModel(this);
    m_browserModel->setRowsAndColumns(kBrowserRows, kBrowserColumns);
    const auto button = [this](const QString& title, const char* objectName) {
        auto* b = new QPushButton(title, this);
        b->setObjectName(QString::fromLatin1(objectName));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    const auto pageButton = [&button](const QString& arrow, const QString& name) {
        QPushButton* b = button(arrow, "PageButton");
        // An arrow says nothing to a screen reader.
        b->setAccessibleName(name);
        return b;
    };
    m_pageUp = pageButton(QStringLiteral("\u25C0"), tr("Previous Photos"));
    m_pageDown = pageButton(QStringLiteral("\u25B6"), tr("More Photos"));
    m_browser = new ImageBrowserView(*m_browserModel, this);
    m_browser->shareThumbnailsOf(m_grid->thumbnails()->model(), PhotoGridModel::PathRole);
    photos->addWidget(m_browser);
    m_totals = new SellingTotalsView(this);
    photos->addWidget(m_totals);
    auto* photoActions = new QHBoxLayout();
    photoActions->setSpacing(16);
    m_zoom = button(tr("Zoom"), "ibZoomButton");
    photoActions->addWidget(m_zoom);
    photoActions->addStretch(1);
    photoActions->addWidget(m_pageUp);
    photoActions->addWidget(m_pageDown);
    photos->addLayout(photoActions);
    root->addLayout(photos, 1);

    auto* right = new QVBoxLayout();
    right->setSpacing(8);
    m_orderColumn = right;
    auto* prompt = new QLabel(tr("Choose your packages for this photo"), this);
    prompt->setObjectName(QStringLiteral("SellingPrompt"));
    prompt->setWordWrap(true);
    right->addWidget(prompt);
    m_panel = new PackagePanelView(panel, this);
    right->addWidget(m_panel, 1);
    auto* actions = new QHBoxLayout();
    actions->setSpacing(16);
    m_startOver = button(tr("Start Over"), "ibStartOverButton");
    m_back = button(tr("Back"), "ibBackButton");
    m_summary = button(tr("Show Summary"), "ibShowCartButton");
    m_summary->setProperty("primary", true);
    actions->addWidget(m_startOver);
    actions->addWidget(m_back);
    actions->addStretch(1);
    actions->addWidget(m_summary);
    right->addLayout(actions);
    root->addLayout(right, 0);

    m_totals->setTotals(coordinator.totals());
    m_back->setEnabled(coordinator.backButtonEnabled());
    m_summary->setEnabled(coordinator.summaryButtonEnabled());
    connect(&coordinator, &SellingCoordinator::totalsChanged, m_totals,
            &SellingTotalsView::setTotals);
    connect(&coordinator, &SellingCoordinator::backButtonEnabledChanged, m_back,
            &QWidget::setEnabled);
    connect(&coordinator, &SellingCoordinator::summaryButtonEnabledChanged, m_summary,
            &QWidget::setEnabled);
    connect(m_back, &QAbstractButton::clicked, &coordinator, &SellingCoordinator::back);
    connect(m_zoom, &QAbstractButton::clicked, &coordinator, &SellingCoordinator::zoom);
    // The photo on show: zoomed in, it is refreshed from its file; a double click asks for the
    // photo-editing window.
    PhotoPreview* preview = m_grid->preview();
    preview->setPhotoFile(coordinator.currentPhotoPath());
    connect(&coordinator, &SellingCoordinator::currentPhotoChanged, preview,
            [preview](const QString& path) { preview->setPhotoFile(path); });
    // A photo that cannot be shown cannot be ordered: its packages are off, and the prompt says
    // why.
    const QString choose = prompt->text();
    const auto showOrderable = [this, prompt, choose](const QString& path, bool orderable) {
        const bool on = path.isEmpty() || orderable;
        m_panel->setEnabled(on);
        prompt->setText(on ? choose
                           : tr("This photo cannot be ordered: it cannot be shown whole. Please "
                                "choose another photo."));
    };
    showOrderable(coordinator.currentPhotoPath(), coordinator.currentPhotoShowable());
    connect(&coordinator, &SellingCoordinator::currentPhotoChanged, this,
            [showOrderable](const QString& path, const QString&, bool showable) {
                showOrderable(path, showable);
            });
    connect(preview, &PhotoPreview::doubleClicked, &coordinator,
            &SellingCoordinator::onPhotoDoubleClicked);
    connect(m_pageUp, &QAbstractButton::clicked, m_browser, &ImageBrowserView::pageUp);
    connect(m_pageDown, &QAbstractButton::clicked, m_browser, &ImageBrowserView::pageDown);

    // The browser follows the grid's photos and its selection; a touch in the browser selects
    // the same photo in the grid, found by its path, so a file the browser leaves out can never
    // shift the choice onto another photo.
    connect(&grid, &QAbstractItemModel::modelReset, m_browserModel,
            [this] { m_browserModel->addImages(m_gridModel.photoList()); });
    connect(m_browserModel, &ImageBrowserModel::doneAddingImages, this,
            [this] { m_browser->selectPath(m_gridModel.pathAt(m_gridModel.selectedIndex())); });
    connect(&grid, &PhotoGridModel::photoSelected, m_browser,
            [this](int, const QString& path) { m_browser->selectPath(path); });
    connect(m_browserModel, &ImageBrowserModel::currentPhotoChanged, this,
            &SellingScreen::browserPhotoChosen);
    if (grid.rowCount() > 0)
        m_browserModel->addImages(grid.photoList());
    // Other packages, other rows: upright, the room they need changes with them.
    connect(&panel, &QAbstractItemModel::modelReset, this, &SellingScreen::arrangeColumns,
            Qt::QueuedConnection);
}

void SellingScreen::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    arrangeColumns();
    m_staffNotice->placeInCorner();
}

void SellingScreen::arrangeColumns()
{
    const bool upright = height() > width();
    m_columns->setDirection(upright ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    QVBoxLayout* totalsColumn = upright ? m_orderColumn : m_photoColumn;
    if (totalsColumn->indexOf(m_totals) < 0) {
        (upright ? m_photoColumn : m_orderColumn)->removeWidget(m_totals);
        // Above the buttons, the last item of either column.
        totalsColumn->insertWidget(totalsColumn->count() - 1, m_totals);
    }
    // Beside the photos the packages take the whole height; below them they take the room their
    // rows need (up to half the screen, more rows scroll) and the photo has the rest.
    int rows = 0;
    if (upright) {
        if (const auto* scroll = m_panel->findChild<QScrollArea*>(QStringLiteral("PackageScroll"));
            scroll && scroll->widget()) {
            rows = qMin(scroll->widget()->sizeHint().height(), height() / 2);
        }
    }
    m_panel->setMinimumHeight(rows);
}

void SellingScreen::browserPhotoChosen(int row, const QString& path)
{
    if (row < 0)
        return;
    const int entry = int(m_gridModel.photoList().indexOf(path));
    if (entry >= 0 && entry != m_gridModel.selectedIndex())
        m_gridModel.selectItem(entry);
}

} // namespace kivo
