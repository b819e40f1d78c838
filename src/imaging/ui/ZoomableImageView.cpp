#include "imaging/ui/ZoomableImageView.h"

#include "core/ConsoleLog.h"
#include "imaging/ImageLoader.h"
#include "imaging/Logging.h"
#include "imaging/PhotoRegion.h"

#include <QCoreApplication>
#include <QGestureEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPinchGesture>
#include <QScreen>
#include <QWheelEvent>
#include <QtMath>

#include <cmath>

namespace kivo {

namespace {

const char* const kClass = "ZoomableImageView";
// One notch of the wheel (120 eighths of a degree) zooms by this factor.
constexpr double kWheelNotchZoom = 1.15;

} // namespace

ZoomableImageView::ZoomableImageView(QWidget* parent)
    : QWidget(parent), m_cancel(std::make_shared<std::atomic<bool>>(false))
{
    setObjectName(QStringLiteral("ibImageView"));
    setAccessibleName(tr("Photo"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_AcceptTouchEvents);
    grabGesture(Qt::PinchGesture);
    setCursor(Qt::OpenHandCursor);
    // One photo decode at a time: a newer photo or refresh waits for the older to end, which
    // is soon cancelled or stale.
    m_pool.setMaxThreadCount(1);
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(kRefreshDelayMs);
    connect(&m_refreshTimer, &QTimer::timeout, this, &ZoomableImageView::startRefresh);
}

ZoomableImageView::~ZoomableImageView()
{
    m_cancel->store(true);
    m_pool.clear();
    m_pool.waitForDone();
}

void ZoomableImageView::clear()
{
    m_cancel->store(true);
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    ++m_loadGeneration;
    ++m_changeGeneration;
    m_refreshTimer.stop();
    // A refresh still running is cancelled and never reports back.
    m_refreshRunning = false;
    m_path.clear();
    m_refreshSource.clear();
    m_bytes.clear();
    m_orientationTag = 0;
    m_screen = QImage();
    m_sharp = QImage();
    m_contents.setImage(QSize(), 1);
    update();
}

void ZoomableImageView::setImagePath(const QString& path)
{
    clear();
    m_path = path;
    m_uprightOnly = false;
    if (path.isEmpty()) {
        emit photoLoaded(false);
        return;
    }
    // The copy covers the screen (and the view itself, were it larger), so that the whole
    // photo is never drawn enlarged.
    const QScreen* s = screen();
    const QSize bound = (s ? s->size() * s->devicePixelRatio() : QSize(1920, 1080))
                            .expandedTo(viewPixels())
                            .expandedTo(QSize(640, 480));
    const quint64 generation = m_loadGeneration;
    const auto cancel = m_cancel;
    m_pool.start([this, path, bound, generation, cancel] {
        const ViewPhoto photo = openViewPhoto(path, bound, cancel.get());
        if (cancel->load())
            return;
        QMetaObject::invokeMethod(
            this, [this, generation, photo] { photoOpened(generation, photo); },
            Qt::QueuedConnection);
    });
}

void ZoomableImageView::photoOpened(quint64 generation, const ViewPhoto& photo)
{
    if (generation != m_loadGeneration)
        return;
    if (!photo.ok()) {
        consoleLog(lcImaging(), kClass, "setImageWithURL",
                   QStringLiteral("cannot show [%1]: %2").arg(photo.path, photo.error));
        emit photoLoaded(false);
        return;
    }
    m_bytes = photo.bytes;
    m_orientationTag = photo.orientationTag;
    m_screen = photo.upright;
    m_contents.setImage(photo.storedSize, photo.orientationTag);
    m_contents.setViewSize(size());
    m_contents.zoomImageToFit();
    consoleLog(lcImaging(), kClass, "setImageWithURL",
               QStringLiteral("new image size = {%1, %2}")
                   .arg(photo.storedSize.width())
                   .arg(photo.storedSize.height()));
    ++m_changeGeneration;
    update();
    emit photoLoaded(true);
    emit contentsChanged();
}

void ZoomableImageView::setUprightImage(const QImage& image, const QString& source)
{
    clear();
    m_uprightOnly = true;
    m_refreshSource = source;
    m_screen = image;
    if (!image.isNull()) {
        m_contents.setImage(image.size(), 1);
        m_contents.setViewSize(size());
        m_contents.zoomImageToFit();
    }
    update();
    emit contentsChanged();
}

void ZoomableImageView::setRefreshSource(const QString& source)
{
    if (source == m_refreshSource)
        return;
    m_refreshSource = source;
    m_bytes.clear();
}

QImage ZoomableImageView::sharpImage() const
{
    return m_sharpGeneration == m_changeGeneration ? m_sharp : QImage();
}

bool ZoomableImageView::changed(bool did)
{
    if (!did)
        return false;
    ++m_changeGeneration;
    update();
    if (refreshWanted())
        m_refreshTimer.start();
    else
        m_refreshTimer.stop();
    emit contentsChanged();
    return true;
}

bool ZoomableImageView::zoomIn()
{
    return changed(m_contents.zoomIn());
}

bool ZoomableImageView::zoomOut()
{
    return changed(m_contents.zoomOut());
}

bool ZoomableImageView::zoomImageToFit()
{
    return changed(m_contents.zoomImageToFit());
}

bool ZoomableImageView::zoomImageToActualSize()
{
    return changed(m_contents.zoomImageToActualSize());
}

bool ZoomableImageView::zoomImageToRect(const QRectF& storedPixels)
{
    return changed(m_contents.zoomImageToRect(storedPixels));
}

bool ZoomableImageView::setZoomFactor(double factor)
{
    return changed(m_contents.setZoomFactor(factor));
}

bool ZoomableImageView::scrollByViewDelta(const QPointF& delta)
{
    return changed(m_contents.scrollByViewDelta(delta));
}

void ZoomableImageView::updateViewSize()
{
    // A photo shown whole stays whole in the new shape; a zoomed one keeps its centre.
    ContentsRect probe = m_contents;
    const bool wasFitted = probe.hasImage() && !probe.zoomImageToFit();
    m_contents.setViewSize(size());
    if (wasFitted)
        m_contents.zoomImageToFit();
    // A new size needs a new refresh even where the rectangle stayed.
    changed(true);
}

void ZoomableImageView::setToolMode(ToolMode mode)
{
    m_toolMode = mode;
    setCursor(mode == ToolMode::Move ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

QRectF ZoomableImageView::uprightUnitRect() const
{
    if (m_uprightOnly)
        return m_contents.rect();
    const QSizeF upright = m_contents.imageSize();
    if (upright.isEmpty())
        return {};
    const QRectF r = m_contents.uprightTransform().mapRect(m_contents.visibleImageRect());
    return QRectF(r.x() / upright.width(), r.y() / upright.height(), r.width() / upright.width(),
                  r.height() / upright.height());
}

QSize ZoomableImageView::viewPixels() const
{
    const qreal ratio = devicePixelRatioF();
    return QSize(qCeil(width() * ratio), qCeil(height() * ratio));
}

bool ZoomableImageView::refreshWanted() const
{
    if (m_screen.isNull() || !m_contents.hasImage())
        return false;
    if (m_uprightOnly ? m_refreshSource.isEmpty() : m_bytes.isEmpty())
        return false;
    // A copy that already is the whole photo has nothing finer to give.
    if (!m_uprightOnly && QSizeF(m_screen.size()) == m_contents.imageSize())
        return false;
    // Only a copy that is enlarged on the screen is worth replacing.
    const double shown = uprightUnitRect().width() * m_screen.width();
    return shown < viewPixels().width() * 0.999;
}

void ZoomableImageView::startRefresh()
{
    m_refreshTimer.stop();
    if (!refreshWanted() || m_refreshRunning) {
        // The running refresh asks again when it ends, if what it cut is stale by then.
        return;
    }
    m_refreshRunning = true;
    const quint64 generation = m_changeGeneration;
    const QRectF unit = uprightUnitRect();
    const QSize target = viewPixels();
    const QString source = m_uprightOnly ? m_refreshSource : m_path;
    const QByteArray known = m_bytes;
    const int tag = m_uprightOnly ? 0 : m_orientationTag;
    const bool readsTag = m_uprightOnly;
    const auto cancel = m_cancel;
    m_pool.start([this, generation, unit, target, source, known, tag, readsTag, cancel] {
        QByteArray bytes = known;
        if (bytes.isEmpty()) {
            PhotoBytes file = readPhotoFile(source, -1, cancel.get());
            bytes = std::move(file.data);
        }
        const int orientation = readsTag ? orientationOfBytes(bytes) : tag;
        QRectF covered;
        const QImage image = cancel->load() ? QImage()
                                            : decodeUprightRegion(bytes, source, orientation, unit,
                                                                  target, &covered);
        if (cancel->load())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, image, covered, bytes, source] {
                if (m_bytes.isEmpty() && source == (m_uprightOnly ? m_refreshSource : m_path))
                    m_bytes = bytes;
                refreshDone(generation, image, covered);
            },
            Qt::QueuedConnection);
    });
}

void ZoomableImageView::refreshDone(quint64 generation, const QImage& image, const QRectF& covered)
{
    m_refreshRunning = false;
    if (generation != m_changeGeneration) {
        // Changed while cutting: the timer of the last change brings the next one.
        if (!m_refreshTimer.isActive() && refreshWanted())
            m_refreshTimer.start();
        return;
    }
    if (image.isNull())
        return;
    m_sharp = image;
    m_sharpUnit = covered;
    m_sharpGeneration = generation;
    update();
}

void ZoomableImageView::waitForPhoto()
{
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void ZoomableImageView::waitForRefresh()
{
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    if (m_refreshTimer.isActive())
        startRefresh();
    m_pool.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void ZoomableImageView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRectF view(rect());
    p.fillRect(rect(), Qt::black);
    if (m_screen.isNull() || !m_contents.hasImage())
        return;
    const QRectF unit = uprightUnitRect();
    if (unit.isEmpty())
        return;
    if (!m_sharp.isNull() && m_sharpGeneration == m_changeGeneration) {
        // Cut for this very view: drawn pixel for pixel.
        const QRectF target((m_sharpUnit.x() - unit.x()) / unit.width() * view.width(),
                            (m_sharpUnit.y() - unit.y()) / unit.height() * view.height(),
                            m_sharpUnit.width() / unit.width() * view.width(),
                            m_sharpUnit.height() / unit.height() * view.height());
        p.drawImage(target, m_sharp);
        return;
    }
    const QRectF source(unit.x() * m_screen.width(), unit.y() * m_screen.height(),
                        unit.width() * m_screen.width(), unit.height() * m_screen.height());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(view, m_screen, source);
}

void ZoomableImageView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateViewSize();
}

bool ZoomableImageView::event(QEvent* event)
{
    if (event->type() == QEvent::Gesture) {
        auto* gestures = static_cast<QGestureEvent*>(event);
        if (auto* pinch = static_cast<QPinchGesture*>(gestures->gesture(Qt::PinchGesture))) {
            if (pinch->changeFlags() & QPinchGesture::ScaleFactorChanged)
                setZoomFactor(m_contents.zoomFactor() * pinch->scaleFactor());
            gestures->accept(pinch);
            return true;
        }
    }
    return QWidget::event(event);
}

void ZoomableImageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_toolMode == ToolMode::Move) {
        m_dragging = true;
        m_lastDrag = event->position();
        setCursor(Qt::ClosedHandCursor);
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void ZoomableImageView::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPointF delta = event->position() - m_lastDrag;
    m_lastDrag = event->position();
    scrollByViewDelta(delta);
    event->accept();
}

void ZoomableImageView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        setCursor(m_toolMode == ToolMode::Move ? Qt::OpenHandCursor : Qt::ArrowCursor);
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void ZoomableImageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
        consoleLog(lcImaging(), kClass, "mouseDoubleClickEvent", QStringLiteral("double click"));
        emit doubleClicked();
        event->accept();
        return;
    }
    QWidget::mouseDoubleClickEvent(event);
}

void ZoomableImageView::wheelEvent(QWheelEvent* event)
{
    const int eighths = event->angleDelta().y();
    if (eighths == 0) {
        QWidget::wheelEvent(event);
        return;
    }
    setZoomFactor(m_contents.zoomFactor() * std::pow(kWheelNotchZoom, eighths / 120.0));
    event->accept();
}

void ZoomableImageView::keyPressEvent(QKeyEvent* event)
{
    bool handled = true;
    switch (event->key()) {
    case Qt::Key_Left:
        changed(m_contents.scrollLeft());
        break;
    case Qt::Key_Right:
        changed(m_contents.scrollRight());
        break;
    case Qt::Key_Up:
        changed(m_contents.scrollUp());
        break;
    case Qt::Key_Down:
        changed(m_contents.scrollDown());
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomIn();
        break;
    case Qt::Key_Minus:
        zoomOut();
        break;
    default:
        handled = false;
    }
    if (handled)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

} // namespace kivo
