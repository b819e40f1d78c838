#pragma once

#include <QDialog>
#include <QImage>
#include <QRect>
#include <QString>

class QAbstractButton;
class QFrame;
class QLabel;

namespace kivo {

class Settings;
class ZoomableImageView;

// The zoom window: a closer look at one photo over the whole of its opener's window, which the
// customer can pinch, zoom and drag; "Close" (or Escape) ends it. With the setting
// "prefEnableTransparentButton1" on, "Sample Print" asks for a sample print of the photo
// (samplePrintRequested with the sample print's PLU "P10021") and closes the window.
class ZoomWindow : public QDialog
{
    Q_OBJECT

public:
    // Where the window's parts lie in a window of WINDOW size with a bottom bar BOTTOMHEIGHT
    // high: the top and bottom views in the window, the border and the image area in the top
    // view (20 points clear at its top).
    struct Frames
    {
        QRect top;
        QRect bottom;
        QRect border;
        QRect image;
    };
    static Frames framesFor(const QSize& window, int bottomHeight);
    static constexpr int kBottomHeight = 96;

    explicit ZoomWindow(Settings& settings, QWidget* parent = nullptr);

    // Covers the parent's window and opens PATH, decoded at the size of the screen off the GUI
    // thread; zooming in brings full-resolution pixels.
    void showPhoto(const QString& path);
    QString photoPath() const { return m_path; }
    // The copy on show (null until decoded or when the photo cannot be shown).
    QImage image() const;
    bool cannotShow() const { return m_cannotShow; }
    // Blocks until the photo asked for has been decoded (tests, screenshots).
    void waitForPhoto();

    // The sample-print button's action.
    void onSamplePrintClicked();

    ZoomableImageView* imageView() const { return m_view; }
    QAbstractButton* samplePrintButton() const { return m_samplePrint; }
    QAbstractButton* closeButton() const { return m_close; }
    QWidget* topView() const { return m_top; }
    QWidget* bottomView() const { return m_bottom; }
    QFrame* borderView() const { return m_border; }

signals:
    // A sample print of the photo on show, as package PLU.
    void samplePrintRequested(const QString& plu);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutViews();

    Settings& m_settings;
    QString m_path;
    bool m_cannotShow = false;
    QWidget* m_top = nullptr;
    QWidget* m_bottom = nullptr;
    QFrame* m_border = nullptr;
    ZoomableImageView* m_view = nullptr;
    QLabel* m_cannotShowLabel = nullptr;
    QAbstractButton* m_samplePrint = nullptr;
    QAbstractButton* m_close = nullptr;
};

} // namespace kivo
