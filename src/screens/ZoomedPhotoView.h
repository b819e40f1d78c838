#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

namespace kivo {

class ThumbnailLoader;

// The selected photo over the whole sales window, upright and fitted, for a closer look; a
// touch anywhere or Escape closes it.
class ZoomedPhotoView : public QDialog
{
    Q_OBJECT

public:
    explicit ZoomedPhotoView(QWidget* parent = nullptr);

    // Covers the parent's window and decodes PATH at the size of the screen.
    void showPhoto(const QString& path);
    QString photoPath() const { return m_path; }
    const QImage& image() const { return m_image; }
    bool cannotShow() const { return m_cannotShow; }
    // Blocks until the photo asked for has been decoded (tests, screenshots).
    void waitForPhoto();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void photoLoaded(const QString& path, const QImage& image);

    ThumbnailLoader* m_loader = nullptr;
    QString m_path;
    QImage m_image;
    bool m_cannotShow = false;
};

} // namespace kivo
