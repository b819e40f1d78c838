#include "screens/ZoomedPhotoView.h"

#include "imaging/ThumbnailLoader.h"
#include "screens/PhotoPreview.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kivo {

ZoomedPhotoView::ZoomedPhotoView(QWidget* parent)
    : QDialog(parent), m_loader(new ThumbnailLoader(this, 1))
{
    setObjectName(QStringLiteral("ZoomWindow"));
    setWindowTitle(tr("Zoom"));
    setWindowFlag(Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    setAccessibleName(tr("Zoomed photo"));
    connect(m_loader, &ThumbnailLoader::thumbnailLoaded, this, &ZoomedPhotoView::photoLoaded);

    // A touch anywhere closes; the button says so, and is what a screen reader finds.
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    auto* row = new QHBoxLayout();
    row->addStretch(1);
    auto* close = new QPushButton(tr("Close"), this);
    close->setAutoDefault(false);
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QAbstractButton::clicked, this, [this] { done(QDialog::Accepted); });
    row->addWidget(close);
    layout->addLayout(row);
}

void ZoomedPhotoView::showPhoto(const QString& path)
{
    m_path = path;
    m_image = QImage();
    m_cannotShow = false;
    setAccessibleDescription(QFileInfo(path).fileName());
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (owner)
        setGeometry(owner->geometry());
    // Decoded no larger than the screen shows it: a camera's photo never exists at full size.
    const QScreen* screen = owner && owner->screen() ? owner->screen() : this->screen();
    const QSize bound = screen ? screen->size() * screen->devicePixelRatio() : size();
    m_loader->cancelPending();
    m_loader->requestThumbnail(path, bound.expandedTo(QSize(640, 480)));
    open();
    update();
}

void ZoomedPhotoView::waitForPhoto()
{
    m_loader->waitForDone();
    QCoreApplication::sendPostedEvents(m_loader);
    QCoreApplication::sendPostedEvents(this);
}

void ZoomedPhotoView::photoLoaded(const QString& path, const QImage& image)
{
    if (path != m_path)
        return;
    m_image = image;
    m_cannotShow = image.isNull();
    update();
}

void ZoomedPhotoView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (m_cannotShow) {
        const QImage picture = PhotoPreview::cannotShowPicture(size() / 2);
        p.drawImage(
            QRect(QPoint(), picture.size()).translated(rect().center() - picture.rect().center()),
            picture);
        return;
    }
    if (m_image.isNull())
        return;
    const QSize fitted = m_image.size().scaled(size(), Qt::KeepAspectRatio);
    QRect target(QPoint(), fitted);
    target.moveCenter(rect().center());
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, m_image);
}

void ZoomedPhotoView::mouseReleaseEvent(QMouseEvent* event)
{
    QDialog::mouseReleaseEvent(event);
    // A touch anywhere ends the closer look.
    done(QDialog::Accepted);
}

} // namespace kivo
