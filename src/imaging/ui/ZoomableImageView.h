#pragma once

#include "imaging/ContentsRect.h"

#include <QByteArray>
#include <QImage>
#include <QPointF>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <memory>

namespace kivo {

struct ViewPhoto;

// A photo that can be zoomed and moved, drawn from its ContentsRect: only the visible part is
// drawn, from a copy decoded no larger than the screen while the customer zooms and drags;
// 0.23 s after the last change the visible part is cut from the photo's full-resolution pixels
// on a worker thread and replaces the enlarged copy. Photos tagged with a quarter turn are
// shown upright while the rectangle stays in stored pixels (what a crop ticket records).
// A finger or the mouse drags the photo (in the move tool mode), a pinch or the wheel zooms,
// the arrow keys scroll and + and - zoom; a double click is announced.
class ZoomableImageView : public QWidget
{
    Q_OBJECT

public:
    // The tools of the crop editor; only the move tool acts on the photo itself.
    enum class ToolMode
    {
        Move = 0,
        Rotate = 1,
        Crop = 2,
        Select = 3,
        Annotate = 4
    };
    static constexpr int kRefreshDelayMs = 230;

    explicit ZoomableImageView(QWidget* parent = nullptr);
    ~ZoomableImageView() override;

    // Opens the photo at PATH: read and decoded on a worker thread, photoLoaded follows. The
    // copy drawn while zooming is decoded at the size of the view's screen.
    void setImagePath(const QString& path);
    // Shows IMAGE, already upright, as the photo (its pixels are the rectangle's); the
    // full-resolution refresh reads the file at SOURCE when one is given.
    void setUprightImage(const QImage& image, const QString& source = QString());
    void setRefreshSource(const QString& source);
    void clear();

    QString path() const { return m_path; }
    bool hasPhoto() const { return !m_screen.isNull(); }
    // The copy drawn while zooming, and the last full-resolution part (null when none fits the
    // view as it is now).
    const QImage& screenImage() const { return m_screen; }
    QImage sharpImage() const;
    // The orientation tag read from the file (0 when it had none that could be read).
    int orientationTag() const { return m_orientationTag; }
    const ContentsRect& contents() const { return m_contents; }

    // Each of these repaints and restarts the refresh when the rectangle changed, and answers
    // whether it did.
    bool zoomIn();
    bool zoomOut();
    bool zoomImageToFit();
    bool zoomImageToActualSize();
    bool zoomImageToRect(const QRectF& storedPixels);
    bool setZoomFactor(double factor);
    bool scrollByViewDelta(const QPointF& delta);
    // The view's size changed under a layout that has not sent its resize yet.
    void updateViewSize();

    ToolMode toolMode() const { return m_toolMode; }
    void setToolMode(ToolMode mode);

    // Blocks until the photo asked for is shown (tests, benchmarks).
    void waitForPhoto();
    // Runs the pending full-resolution refresh now and blocks until it is shown.
    void waitForRefresh();

signals:
    void photoLoaded(bool ok);
    // The visible part changed (zoom or position).
    void contentsChanged();
    void doubleClicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool changed(bool did);
    void photoOpened(quint64 generation, const ViewPhoto& photo);
    void startRefresh();
    void refreshDone(quint64 generation, const QImage& image, const QRectF& covered);
    // The visible part in unit coordinates of the upright photo.
    QRectF uprightUnitRect() const;
    QSize viewPixels() const;
    bool refreshWanted() const;

    ContentsRect m_contents;
    QString m_path;
    QString m_refreshSource;
    QByteArray m_bytes;
    int m_orientationTag = 0;
    // The rectangle counts upright pixels of the copy itself (an image handed over upright).
    bool m_uprightOnly = false;
    QImage m_screen;
    QImage m_sharp;
    QRectF m_sharpUnit;
    quint64 m_sharpGeneration = 0;
    quint64 m_changeGeneration = 0;
    quint64 m_loadGeneration = 0;
    ToolMode m_toolMode = ToolMode::Move;
    bool m_dragging = false;
    QPointF m_lastDrag;
    QTimer m_refreshTimer;
    bool m_refreshRunning = false;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    QThreadPool m_pool;
};

} // namespace kivo
