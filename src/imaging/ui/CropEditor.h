#pragma once

#include "imaging/CropOptions.h"
#include "imaging/CropTicket.h"
#include "imaging/ui/ZoomableImageView.h"

#include <QList>
#include <QString>
#include <QThreadPool>
#include <QWidget>

#include <optional>

class QAbstractButton;
class QBoxLayout;
class QButtonGroup;
class QLabel;
class QSlider;

namespace kivo {

class MaskView;
class Settings;

// The crop editor: an operator chooses which print crops are cut from a photo (one toggle per
// crop region of CropOptions), the view takes the shape of the widest, the photo is moved and
// zoomed under the mask, and "Done" stores the crop job ticket beside the photo. A photo with a
// ticket opens as it was left: its regions on, zoomed back to the stored rectangle, the first
// crop in the thumbnail. The arithmetic is CropGeometry's and ContentsRect's; this shows it.
class CropEditor : public QWidget
{
    Q_OBJECT

public:
    explicit CropEditor(Settings& settings, QWidget* parent = nullptr);
    ~CropEditor() override;

    // Opens the photo at PATH (decoded off the GUI thread; photoOpened follows) and stores its
    // file name under "currentPhotoName".
    void openPhoto(const QString& path);
    QString photoPath() const { return m_path; }

    // "Done": the out-of-bounds check (with the operator's answer) and the ticket. Answers
    // whether a ticket was written.
    bool onDoneClicked();

    QList<CropOption> cropOptions() const { return m_options; }
    QList<CropOption> selectedCrops() const;
    bool isViewLandscape() const { return m_landscape; }
    double aspectRatio() const { return m_aspectRatio; }
    // The ticket read when the photo opened, or written last.
    const std::optional<CropTicket>& ticket() const { return m_ticket; }

    ZoomableImageView* imageView() const { return m_view; }
    MaskView* maskView() const { return m_mask; }
    QList<QAbstractButton*> cropToggles() const { return m_toggles; }
    QSlider* zoomSlider() const { return m_slider; }
    QAbstractButton* portraitButton() const { return m_portrait; }
    QAbstractButton* landscapeButton() const { return m_landscapeButton; }
    QAbstractButton* toolButton(ZoomableImageView::ToolMode mode) const;
    QAbstractButton* doneButton() const { return m_done; }
    QLabel* thumbnailView() const { return m_thumbnail; }
    // The row of "Done", where a window holding the editor adds its own buttons.
    QBoxLayout* buttonRow() const { return m_buttonRow; }

    // Blocks until the photo and the thumbnail asked for are shown (tests).
    void waitForImages();

    // The slider's steps per unit of zoom factor.
    static constexpr int kSliderScale = 10000;

signals:
    void photoOpened(bool ok);
    void ticketSaved(const QString& ticketPath);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildCropToggles();
    void changeCropSelection();
    void setViewLandscape(bool landscape);
    void reshapeView();
    void photoLoaded(bool ok);
    void zoomToFill();
    void followZoom();
    void sliderMoved(int value);
    void switchToolMode(int mode);
    bool saveCroppedImage();
    void updateThumbnailForTicket(const CropTicket& ticket);

    Settings& m_settings;
    QList<CropOption> m_options;
    QString m_path;
    std::optional<CropTicket> m_ticket;
    bool m_landscape = false;
    double m_aspectRatio = 0;
    quint64 m_thumbnailGeneration = 0;

    QWidget* m_host = nullptr;
    ZoomableImageView* m_view = nullptr;
    MaskView* m_mask = nullptr;
    QList<QAbstractButton*> m_toggles;
    QSlider* m_slider = nullptr;
    QAbstractButton* m_portrait = nullptr;
    QAbstractButton* m_landscapeButton = nullptr;
    QButtonGroup* m_tools = nullptr;
    QAbstractButton* m_done = nullptr;
    QLabel* m_thumbnail = nullptr;
    QBoxLayout* m_buttonRow = nullptr;
    QThreadPool m_pool;
};

} // namespace kivo
