#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

namespace kivo {

class ZoomableImageView;

// The large preview of the selected photo: the photo fitted into the view and framed, its file
// name along the top edge of the picture, or a clear "cannot be shown" picture when the file is
// missing or does not decode. The picture can be pinched, zoomed and dragged; zoomed in, it is
// drawn from the photo file's own pixels (setPhotoFile) shortly after the last change. A double
// click on it is announced.
class PhotoPreview : public QWidget
{
    Q_OBJECT
    // The frame around the drawn photo; the style sheet may set it (qproperty-frameColor).
    Q_PROPERTY(QColor frameColor READ frameColor WRITE setFrameColor)

public:
    static constexpr int kFrameWidth = 4;

    explicit PhotoPreview(QWidget* parent = nullptr);

    // NAME is shown over the picture; IMAGE may be a stand-in while the full decode runs.
    void showPhoto(const QImage& image, const QString& name);
    void showCannotShow(const QString& name);
    void clear();
    // The file of the photo on show: what a zoomed-in picture is refreshed from. Taken only
    // while its file name is the one shown.
    void setPhotoFile(const QString& path);

    ZoomableImageView* imageView() const { return m_view; }

    bool showsCannotShow() const { return m_cannotShow; }
    const QImage& image() const { return m_image; }
    QString photoName() const { return m_name; }

    QColor frameColor() const { return m_frameColor; }
    void setFrameColor(const QColor& color);

    // The picture that stands for a photo that cannot be shown, SIZE large (the grid's
    // thumbnails use it too).
    static QImage cannotShowPicture(const QSize& size);
    static QString cannotShowText();

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateAccessibleText();
    void layoutPicture();
    // Where the picture lies: the photo fitted and centred, or the whole area for the "cannot
    // be shown" picture; empty when there is nothing to show.
    QRect pictureRect() const;
    QString refreshSource() const;

    class NameStrip;
    ZoomableImageView* m_view = nullptr;
    NameStrip* m_strip = nullptr;
    QString m_file;

    QImage m_image;
    QString m_name;
    bool m_cannotShow = false;
    QColor m_frameColor = Qt::black;
};

} // namespace kivo
