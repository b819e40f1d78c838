#pragma once

#include <QWidget>

namespace kivo {

// The crop editor's mask, laid over its image view: translucent bands with their labels over
// what the 8 x 10 and 5 x 7 prints leave off, in the view's orientation. Touches go through to
// the photo below.
class MaskView : public QWidget
{
    Q_OBJECT

public:
    explicit MaskView(QWidget* parent = nullptr);

    bool shows8x10() const { return m_shows8x10; }
    bool shows5x7() const { return m_shows5x7; }
    bool shows4x6() const { return m_shows4x6; }
    // The region named TITLE ("8x10", "5x7", "4x6") shown or not; other titles have no band.
    void setShowsRegion(const QString& title, bool shown);
    // The view's proportions (width / height); above 1 the mask is laid out turned.
    double aspectRatio() const { return m_aspectRatio; }
    void setAspectRatio(double ratio);
    bool isPortrait() const { return m_aspectRatio <= 1.0; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_shows8x10 = true;
    bool m_shows5x7 = true;
    bool m_shows4x6 = false;
    double m_aspectRatio = 0;
};

} // namespace kivo
