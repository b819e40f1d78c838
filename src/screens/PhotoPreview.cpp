#include "screens/PhotoPreview.h"

#include "imaging/ui/ZoomableImageView.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>

#include <algorithm>

namespace kivo {

// The file name along the top edge of the picture, over the photo; touches go through.
class PhotoPreview::NameStrip : public QWidget
{
public:
    explicit NameStrip(PhotoPreview* preview) : QWidget(preview), m_preview(preview)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    int preferredHeight() const { return QFontMetrics(m_preview->font()).height() + 8; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setFont(m_preview->font());
        p.fillRect(rect(), QColor(0, 0, 0, 140));
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, m_preview->photoName());
    }

private:
    PhotoPreview* m_preview;
};

PhotoPreview::PhotoPreview(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ibLargeImageView"));
    setAttribute(Qt::WA_StyledBackground);
    setMinimumSize(240, 180);
    setAccessibleName(tr("Selected photo"));
    m_view = new ZoomableImageView(this);
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->hide();
    m_strip = new NameStrip(this);
    m_strip->hide();
    connect(m_view, &ZoomableImageView::doubleClicked, this, &PhotoPreview::doubleClicked);
    updateAccessibleText();
}

void PhotoPreview::showPhoto(const QImage& image, const QString& name)
{
    m_image = image;
    m_name = name;
    m_cannotShow = false;
    // The view takes the photo's shape first, so that it opens fitted to it.
    layoutPicture();
    m_view->setUprightImage(image, refreshSource());
    updateAccessibleText();
    update();
}

void PhotoPreview::showCannotShow(const QString& name)
{
    m_image = QImage();
    m_name = name;
    m_cannotShow = true;
    m_view->clear();
    updateAccessibleText();
    layoutPicture();
    update();
}

void PhotoPreview::setPhotoFile(const QString& path)
{
    m_file = path;
    m_view->setRefreshSource(refreshSource());
}

QString PhotoPreview::refreshSource() const
{
    return !m_file.isEmpty() && QFileInfo(m_file).fileName() == m_name ? m_file : QString();
}

QRect PhotoPreview::pictureRect() const
{
    const QRect area =
        contentsRect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
    if (area.width() <= 0 || area.height() <= 0)
        return {};
    if (m_cannotShow)
        return area;
    if (m_image.isNull())
        return {};
    QRect drawn(QPoint(0, 0), m_image.size().scaled(area.size(), Qt::KeepAspectRatio));
    drawn.moveCenter(area.center());
    return drawn;
}

void PhotoPreview::layoutPicture()
{
    const QRect drawn = pictureRect();
    const bool photo = drawn.isValid() && !m_cannotShow;
    if (photo && m_view->geometry() != drawn)
        m_view->setGeometry(drawn);
    m_view->setVisible(photo);
    m_strip->setVisible(drawn.isValid() && !m_name.isEmpty());
    if (drawn.isValid()) {
        m_strip->setGeometry(drawn.left(), drawn.top(), drawn.width(), m_strip->preferredHeight());
        m_strip->raise();
        m_strip->update();
    }
}

void PhotoPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutPicture();
}

void PhotoPreview::clear()
{
    showPhoto(QImage(), QString());
}

void PhotoPreview::setFrameColor(const QColor& color)
{
    m_frameColor = color;
    update();
}

QString PhotoPreview::cannotShowText()
{
    return tr("This photo cannot be shown");
}

void PhotoPreview::updateAccessibleText()
{
    setAccessibleDescription(m_cannotShow ? m_name + QStringLiteral(": ") + cannotShowText()
                                          : m_name);
}

QImage PhotoPreview::cannotShowPicture(const QSize& size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(0x3a, 0x3f, 0x44));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    // A picture frame with a mountain, struck through: "no photo here", readable at a glance
    // even in a thumbnail.
    const int side = std::min(size.width(), size.height());
    const QRectF icon(QPointF(0, 0), QSizeF(side * 0.5, side * 0.38));
    const QRectF r = icon.translated((size.width() - icon.width()) / 2.0,
                                     (size.height() - icon.height()) / 2.0 - side * 0.08);
    const qreal pen = std::max(2.0, side / 40.0);
    p.setPen(QPen(QColor(0xd0, 0xd4, 0xd8), pen));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, pen, pen);
    QPainterPath mountain;
    mountain.moveTo(r.left() + r.width() * 0.1, r.bottom() - r.height() * 0.15);
    mountain.lineTo(r.left() + r.width() * 0.4, r.top() + r.height() * 0.35);
    mountain.lineTo(r.left() + r.width() * 0.6, r.top() + r.height() * 0.6);
    mountain.lineTo(r.left() + r.width() * 0.72, r.top() + r.height() * 0.45);
    mountain.lineTo(r.right() - r.width() * 0.1, r.bottom() - r.height() * 0.15);
    p.drawPath(mountain);
    p.setPen(QPen(QColor(0xe0, 0x40, 0x40), pen * 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.bottomLeft() + QPointF(-pen, pen), r.topRight() + QPointF(pen, -pen));
    if (side >= 200) {
        QFont font = p.font();
        font.setPixelSize(std::max(18, side / 16));
        p.setFont(font);
        p.setPen(Qt::white);
        const QRectF text(0, r.bottom() + side * 0.05, size.width(), side * 0.2);
        p.drawText(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, cannotShowText());
    }
    return picture;
}

void PhotoPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &p, this);

    const QRect drawn = pictureRect();
    if (!drawn.isValid())
        return;
    if (m_cannotShow) {
        p.drawImage(drawn, cannotShowPicture(drawn.size()));
        return;
    }
    // The photo itself is the image view's; the frame lies just outside it, so none of the
    // photo is hidden under it.
    p.setPen(QPen(m_frameColor, kFrameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    const qreal half = kFrameWidth / 2.0;
    p.drawRect(QRectF(drawn).adjusted(-half, -half, half, half));
}

} // namespace kivo
