#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <QWidget>

#include "core/SettingsSchema.h"

class QLabel;
class QMediaPlayer;
class QVideoFrame;
class QVideoSink;

namespace kivo {

class Settings;
class StaffNoticeIndicator;

// Shows or hides a sponsor logo view from the settings: hidden and empty when
// "prefDoUseSponsorLogo" is off; else the picture at "prefSponsorLogoPath", or the built-in
// "logo" picture when that file is missing or unreadable. Shared with the sales window.
void showHideSponsorLogo(QLabel* view, Settings& settings);
// KEY is one of the settings that showHideSponsorLogo() reads.
bool isSponsorLogoSetting(Setting key);

// One picture painted with QPainter: the attract movie's current frame, a still, or the
// background. A plain widget shows on every X server, also one without OpenGL, where a video
// widget stays black. Where the picture's proportions differ from the widget's, the mode says
// whether it is stretched, fitted inside (the rest left to what lies beneath) or made to cover
// the widget (the overflow cut off evenly on both sides).
class PictureView : public QWidget
{
    Q_OBJECT

public:
    explicit PictureView(QWidget* parent = nullptr);

    void setImage(const QImage& image);
    QImage image() const { return m_image; }
    void setAspectRatioMode(Qt::AspectRatioMode mode);
    Qt::AspectRatioMode aspectRatioMode() const { return m_mode; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    Qt::AspectRatioMode m_mode = Qt::KeepAspectRatio;
};

// The attract screen between customers: a looping movie or a still background picture, with
// an optional sponsor logo, over the whole sales window. It sets itself up from the settings and
// follows their changes as they are stored. The attract item may be a movie or a still picture;
// the movie player is made only for a movie, plays while the screen shows and pauses while it is
// hidden (a visit runs).
class AttractScreen : public QObject
{
    Q_OBJECT

public:
    explicit AttractScreen(Settings& settings, QObject* parent = nullptr);
    ~AttractScreen() override;

    // The view (created on first use); the owner places it over the window's content.
    QWidget* view();

    void setMovieMode(bool on) { m_doAsMovie = on; }
    void setUpMovieMode();
    void setupAutoReplay();
    void onAnimationChanged();
    void onBackgroundImageChanged();
    void onSponsorLogoChanged();
    void onButtonClicked();

    PictureView* movieView() const { return m_movieView; }
    PictureView* backgroundView() const { return m_backgroundView; }
    QLabel* sponsorView() const { return m_sponsor; }
    // Something for the staff (a printer that cannot print, say): only a small indicator in a
    // corner, the text its accessible description; hidden when empty.
    void setStaffNotice(const QString& text);
    StaffNoticeIndicator* staffNoticeView() const { return m_staffNotice; }
    QMediaPlayer* player() const { return m_player; }
    QSizeF movieSize() const { return m_movieSize; }
    // The movie size as the first frame gives it (also used when the player reports it).
    void setMovieSize(const QSizeF& size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void layoutViews();
    void showBackground();
    // The attract screen is on show with its movie view.
    bool movieShowing() const;
    void playOrPause();
    void showStill(const QString& path);
    void playMovie(const QString& path);
    void showFrame(const QVideoFrame& frame);
    // Several settings stored together (a path with its file reference) set the screen up once.
    void settingChanged(kivo::Setting key);
    void applyPendingChanges();

    Settings& m_settings;
    QPointer<QWidget> m_view;
    PictureView* m_movieView = nullptr;
    PictureView* m_backgroundView = nullptr;
    QLabel* m_sponsor = nullptr;
    StaffNoticeIndicator* m_staffNotice = nullptr;
    QMediaPlayer* m_player = nullptr;
    QVideoSink* m_sink = nullptr;
    // The attract item is a movie (not a still) that the player has been given.
    bool m_playsMovie = false;
    bool m_doAsMovie = true;
    bool m_movieChanged = false;
    bool m_layoutChanged = false;
    bool m_backgroundChanged = false;
    bool m_logoChanged = false;
    bool m_applyScheduled = false;
    QSizeF m_movieSize;
    // The shipped background picture on show ("background", or "background-portrait" on a
    // kiosk that stands upright); empty while none is.
    QString m_backgroundName;
};

} // namespace kivo
