#include "imaging/ui/CropEditor.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "imaging/CropGeometry.h"
#include "imaging/CropWriter.h"
#include "imaging/ImageHeader.h"
#include "imaging/ImageOrientation.h"
#include "imaging/Logging.h"
#include "imaging/ui/MaskView.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace kivo {

namespace {

const char* const kClass = "CropEditor";
constexpr int kControlHeight = 72;
const QSize kThumbnailSize(160, 120);

QPushButton* controlButton(const QString& text, const QString& objectName, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    b->setMinimumSize(72, kControlHeight);
    return b;
}

} // namespace

CropEditor::CropEditor(Settings& settings, QWidget* parent) : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("ImageCropView"));
    m_pool.setMaxThreadCount(1);

    auto* root = new QHBoxLayout(this);
    root->setSpacing(16);
    m_host = new QWidget(this);
    m_host->setObjectName(QStringLiteral("ImageCropHost"));
    m_host->setMinimumSize(320, 320);
    m_host->installEventFilter(this);
    root->addWidget(m_host, 1);
    m_view = new ZoomableImageView(m_host);
    m_view->installEventFilter(this);
    m_mask = new MaskView(m_view);
    connect(m_view, &ZoomableImageView::photoLoaded, this, &CropEditor::photoLoaded);
    connect(m_view, &ZoomableImageView::contentsChanged, this, &CropEditor::followZoom);

    auto* controls = new QWidget(this);
    controls->setObjectName(QStringLiteral("ImageCropControls"));
    // What is on must show without hover, and the slider's handle must take a finger.
    controls->setStyleSheet(QStringLiteral(
        "QPushButton:checked { background-color: #1f6fb2; border-color: #8cc4f0; }"
        "QSlider::groove:horizontal { height: 12px; background: #5b6b78; border-radius: 6px; }"
        "QSlider::handle:horizontal { width: 56px; margin: -22px 0; border-radius: 28px;"
        " background: #f2f4f5; }"));
    // Wide enough for three buttons in a row with their text whole, and short enough for the
    // whole column to stand on a 768 pixel high screen.
    controls->setFixedWidth(460);
    auto* column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    root->addWidget(controls);

    // The crop regions, one toggle each, in one row.
    auto* toggles = new QHBoxLayout();
    toggles->setSpacing(8);
    const CropOptionsResult options = loadCropOptions();
    m_options = options.options;
    if (!options.ok()) {
        consoleLog(lcImaging(), kClass, "CropEditor", options.error);
        auto* message = new QLabel(options.error, controls);
        message->setObjectName(QStringLiteral("CropOptionsError"));
        message->setWordWrap(true);
        toggles->addWidget(message);
    }
    for (int i = 0; i < m_options.size(); ++i) {
        auto* toggle =
            controlButton(m_options.at(i).title, QStringLiteral("CropRegionToggle"), controls);
        toggle->setCheckable(true);
        connect(toggle, &QAbstractButton::toggled, this, [this] { changeCropSelection(); });
        m_toggles.append(toggle);
        toggles->addWidget(toggle);
    }
    column->addLayout(toggles);

    auto* orientation = new QHBoxLayout();
    orientation->setSpacing(8);
    m_portrait = controlButton(tr("Portrait"), QStringLiteral("PortraitButton"), controls);
    m_landscapeButton = controlButton(tr("Landscape"), QStringLiteral("LandscapeButton"), controls);
    auto* shapes = new QButtonGroup(this);
    for (QAbstractButton* b : {m_portrait, m_landscapeButton}) {
        b->setCheckable(true);
        shapes->addButton(b);
        orientation->addWidget(b);
    }
    m_portrait->setChecked(true);
    connect(m_portrait, &QAbstractButton::clicked, this, [this] { setViewLandscape(false); });
    connect(m_landscapeButton, &QAbstractButton::clicked, this, [this] { setViewLandscape(true); });
    column->addLayout(orientation);

    // The tools: only moving acts on the photo; the others are kept as the operator set them.
    auto* tools = new QGridLayout();
    tools->setSpacing(8);
    m_tools = new QButtonGroup(this);
    const QStringList toolNames{tr("Move"), tr("Rotate"), tr("Crop"), tr("Select"), tr("Annotate")};
    for (int i = 0; i < toolNames.size(); ++i) {
        auto* b = controlButton(toolNames.at(i), QStringLiteral("ToolModeButton"), controls);
        b->setCheckable(true);
        m_tools->addButton(b, i);
        tools->addWidget(b, i / 2, i % 2);
    }
    const qint64 saved = m_settings.savedToolMode();
    const int mode = saved >= 0 && saved < toolNames.size() ? int(saved) : 0;
    m_tools->button(mode)->setChecked(true);
    m_view->setToolMode(ZoomableImageView::ToolMode(mode));
    connect(m_tools, &QButtonGroup::idClicked, this, &CropEditor::switchToolMode);
    column->addLayout(tools);

    auto* zoom = new QHBoxLayout();
    zoom->setSpacing(8);
    auto* zoomOut =
        controlButton(QStringLiteral("\u2212"), QStringLiteral("ZoomOutButton"), controls);
    zoomOut->setAccessibleName(tr("Zoom Out"));
    auto* zoomIn = controlButton(QStringLiteral("+"), QStringLiteral("ZoomInButton"), controls);
    zoomIn->setAccessibleName(tr("Zoom In"));
    m_slider = new QSlider(Qt::Horizontal, controls);
    m_slider->setObjectName(QStringLiteral("imageZoomSlider"));
    m_slider->setAccessibleName(tr("Zoom"));
    m_slider->setMinimumHeight(kControlHeight);
    m_slider->setEnabled(false);
    zoom->addWidget(zoomOut);
    zoom->addWidget(m_slider, 1);
    zoom->addWidget(zoomIn);
    connect(zoomOut, &QAbstractButton::clicked, m_view, &ZoomableImageView::zoomOut);
    connect(zoomIn, &QAbstractButton::clicked, m_view, &ZoomableImageView::zoomIn);
    connect(m_slider, &QSlider::valueChanged, this, &CropEditor::sliderMoved);
    column->addLayout(zoom);

    m_thumbnail = new QLabel(controls);
    m_thumbnail->setObjectName(QStringLiteral("thumbnailView"));
    m_thumbnail->setAccessibleName(tr("First crop"));
    m_thumbnail->setFixedSize(kThumbnailSize);
    m_thumbnail->setAlignment(Qt::AlignCenter);
    column->addWidget(m_thumbnail, 0, Qt::AlignHCenter);
    column->addStretch(1);

    m_buttonRow = new QHBoxLayout();
    m_buttonRow->setSpacing(8);
    m_done = controlButton(tr("Done"), QStringLiteral("DoneButton"), controls);
    m_done->setProperty("primary", true);
    m_done->setEnabled(false);
    connect(m_done, &QAbstractButton::clicked, this, [this] { onDoneClicked(); });
    m_buttonRow->addWidget(m_done, 1);
    column->addLayout(m_buttonRow);

    for (QAbstractButton* toggle : std::as_const(m_toggles))
        m_mask->setShowsRegion(toggle->text(), false);
}

CropEditor::~CropEditor()
{
    ++m_thumbnailGeneration;
    m_pool.clear();
    m_pool.waitForDone();
}

QAbstractButton* CropEditor::toolButton(ZoomableImageView::ToolMode mode) const
{
    return m_tools->button(int(mode));
}

QList<CropOption> CropEditor::selectedCrops() const
{
    QList<CropOption> selected;
    for (int i = 0; i < m_toggles.size(); ++i) {
        if (m_toggles.at(i)->isChecked())
            selected.append(m_options.at(i));
    }
    return selected;
}

void CropEditor::openPhoto(const QString& path)
{
    consoleLog(lcImaging(), kClass, "openPhoto", path);
    m_path = path;
    m_ticket.reset();
    ++m_thumbnailGeneration;
    m_thumbnail->clear();
    m_done->setEnabled(false);
    m_slider->setEnabled(false);
    m_settings.setCurrentPhotoName(QFileInfo(path).fileName());
    m_view->setImagePath(path);
}

void CropEditor::photoLoaded(bool ok)
{
    if (!ok) {
        emit photoOpened(false);
        return;
    }
    const ContentsRect& contents = m_view->contents();
    QString error;
    m_ticket = readCropTicketForPhoto(m_path, &error);
    QRectF zoomRect;
    if (m_ticket && !m_ticket->crops.isEmpty()) {
        QStringList titles = m_ticket->crops.keys();
        consoleLog(lcImaging(), kClass, "photoLoaded",
                   QStringLiteral("found an existing ticket with crops %1").arg(titles.join(", ")));
        zoomRect = m_ticket->zoomRect();
        // A ticket made on a copy of another size still points at the same part of the photo.
        const QSizeF natural(contents.naturalImageSize());
        if (m_ticket->imageSize.isValid() && QSizeF(m_ticket->imageSize) != natural) {
            const double sx = natural.width() / m_ticket->imageSize.width();
            const double sy = natural.height() / m_ticket->imageSize.height();
            zoomRect = QRectF(zoomRect.x() * sx, zoomRect.y() * sy, zoomRect.width() * sx,
                              zoomRect.height() * sy);
        }
        for (QAbstractButton* toggle : std::as_const(m_toggles)) {
            const QSignalBlocker blocker(toggle);
            toggle->setChecked(m_ticket->crops.contains(toggle->text()));
            m_mask->setShowsRegion(toggle->text(), toggle->isChecked());
        }
        // The view takes the shape the crops were placed in, whatever the photo's own.
        const QRectF shown = contents.uprightTransform().mapRect(zoomRect);
        m_landscape = shown.width() > shown.height();
    } else {
        const QSizeF upright = contents.imageSize();
        m_landscape = upright.width() > upright.height();
    }
    m_portrait->setChecked(!m_landscape);
    m_landscapeButton->setChecked(m_landscape);
    const QSizeF upright = contents.imageSize();
    m_aspectRatio = viewAspectRatio(selectedCrops(), m_landscape,
                                    upright.height() > 0 ? upright.width() / upright.height() : 0);
    reshapeView();
    if (zoomRect.isValid()) {
        consoleLog(lcImaging(), kClass, "photoLoaded",
                   QStringLiteral("zooming to old rect %1").arg(rectText(zoomRect)));
        m_view->zoomImageToRect(zoomRect);
        updateThumbnailForTicket(*m_ticket);
    } else {
        zoomToFill();
    }
    m_done->setEnabled(true);
    m_slider->setEnabled(true);
    followZoom();
    emit photoOpened(true);
}

void CropEditor::changeCropSelection()
{
    for (QAbstractButton* toggle : std::as_const(m_toggles))
        m_mask->setShowsRegion(toggle->text(), toggle->isChecked());
    setViewLandscape(m_landscape);
}

void CropEditor::setViewLandscape(bool landscape)
{
    m_landscape = landscape;
    const QSizeF upright = m_view->contents().imageSize();
    m_aspectRatio = viewAspectRatio(selectedCrops(), m_landscape,
                                    upright.height() > 0 ? upright.width() / upright.height() : 0);
    reshapeView();
}

void CropEditor::reshapeView()
{
    const QRect bounds = m_host->rect();
    QRect frame = bounds;
    if (m_aspectRatio > 0)
        frame = reshapedViewFrame(QRectF(bounds), m_view->width(), m_aspectRatio).toRect();
    m_view->setGeometry(frame);
    m_view->updateViewSize();
    m_mask->setGeometry(m_view->rect());
    m_mask->setAspectRatio(m_aspectRatio);
    followZoom();
}

void CropEditor::zoomToFill()
{
    const ContentsRect& contents = m_view->contents();
    m_view->setZoomFactor(zoomFactorToFill(QSizeF(m_view->size()), contents.imageSize()));
}

void CropEditor::followZoom()
{
    const ContentsRect& contents = m_view->contents();
    if (!contents.hasImage())
        return;
    const QSignalBlocker blocker(m_slider);
    m_slider->setRange(int(std::lround(contents.zoomFactorMin() * kSliderScale)),
                       int(std::lround(contents.zoomFactorMax() * kSliderScale)));
    m_slider->setValue(int(std::lround(contents.zoomFactor() * kSliderScale)));
}

void CropEditor::sliderMoved(int value)
{
    m_view->setZoomFactor(double(value) / kSliderScale);
}

void CropEditor::switchToolMode(int mode)
{
    if (mode < 0 || mode > int(ZoomableImageView::ToolMode::Annotate))
        return;
    m_view->setToolMode(ZoomableImageView::ToolMode(mode));
    m_settings.setSavedToolMode(mode);
}

bool CropEditor::onDoneClicked()
{
    const ContentsRect& contents = m_view->contents();
    if (!contents.hasImage()) {
        consoleLog(lcImaging(), kClass, "onDoneClicked", QStringLiteral("no photo"));
        return false;
    }
    const QRectF visible = contents.visibleImageRect();
    // The print room cuts from the file as it is now: a photo replaced by a smaller one since
    // it was opened leaves the crops hanging over its edge.
    QSizeF imageSize(contents.naturalImageSize());
    if (const auto header = readImageHeader(m_path))
        imageSize = QSizeF(header->pixelWidth, header->pixelHeight);
    if (!isInsideImage(imageSize, visible)) {
        consoleLog(lcImaging(), kClass, "onDoneClicked",
                   QStringLiteral("out of bounds crop rect %1 (%2) for image %3")
                       .arg(rectText(visible), sizeText(imageSize), m_path));
        QMessageBox alert(QMessageBox::Warning, QString(),
                          tr("Your crop position is out of bounds"), QMessageBox::NoButton, this);
        alert.setObjectName(QStringLiteral("OutOfBoundsAlert"));
        alert.setInformativeText(tr("Reposition the picture to fill the crop region"));
        QPushButton* goBack = alert.addButton(tr("Go Back"), QMessageBox::RejectRole);
        QPushButton* proceed = alert.addButton(tr("Proceed anyway"), QMessageBox::AcceptRole);
        alert.setDefaultButton(goBack);
        alert.exec();
        if (alert.clickedButton() != proceed)
            return false;
    }
    return saveCroppedImage();
}

bool CropEditor::saveCroppedImage()
{
    const ContentsRect& contents = m_view->contents();
    const CropTicket ticket =
        makeCropTicket(m_path, contents.naturalImageSize(), m_view->orientationTag(),
                       contents.visibleImageRect(), selectedCrops(), QDateTime::currentDateTime());
    QString error;
    if (!writeCropTicket(ticket, &error)) {
        consoleLog(lcImaging(), kClass, "saveCroppedImage", error);
        QMessageBox::warning(this, tr("Crop Ticket"),
                             tr("The crop ticket could not be saved.\n%1").arg(error));
        return false;
    }
    m_ticket = ticket;
    updateThumbnailForTicket(ticket);
    emit ticketSaved(ticket.ticketPath);
    return true;
}

void CropEditor::updateThumbnailForTicket(const CropTicket& ticket)
{
    const quint64 generation = ++m_thumbnailGeneration;
    const QString photo = m_path;
    const QSize bound = m_thumbnail->size();
    // Cutting the crop decodes the whole photo: never on the GUI thread.
    m_pool.start([this, generation, ticket, photo, bound] {
        QImage crop = cropImageFromTicket(ticket, photo);
        if (!crop.isNull())
            crop = uprightImage(crop, qint16(ticket.orientation))
                       .scaled(bound, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QMetaObject::invokeMethod(
            this,
            [this, generation, crop] {
                if (generation == m_thumbnailGeneration)
                    m_thumbnail->setPixmap(QPixmap::fromImage(crop));
            },
            Qt::QueuedConnection);
    });
}

void CropEditor::waitForImages()
{
    m_view->waitForPhoto();
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

bool CropEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == m_host)
            reshapeView();
        else if (watched == m_view)
            m_mask->setGeometry(m_view->rect());
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kivo
