#pragma once

#include <QObject>
#include <QPointer>
#include <QSizeF>

class QLabel;
class QMediaPlayer;
class QVideoWidget;
class QWidget;

namespace kivo {

class Settings;
class StaffNoticeIndicator;

// Shows or hides a sponsor logo view from the settings: hidden and empty when
// "prefDoUseSponsorLogo" is off; else the picture at "prefSponsorLogoPath", or the built-in
// "logo" picture when that file is missing or unreadable. Shared with the sales window.
void showHideSponsorLogo(QLabel* view, Settings& settings);

// The attract screen between customers: a looping movie or a still background picture, with
// an optional sponsor logo, over the whole sales window. It sets itself up from the settings; the
// preferences call the three update handlers when the settings behind them change.
class ScreenSaverViewController : public QObject
{
    Q_OBJECT

public:
    explicit ScreenSaverViewController(Settings& settings, QObject* parent = nullptr);
    ~ScreenSaverViewController() override;

    // The view (created on first use); the owner places it over the window's content.
    QWidget* view();

    void setQTMovieMode(bool on) { m_doAsMovie = on; }
    void setupForQTMovieMode();
    void setupAutoReplay();
    void handleUpdateAnimationNotification();
    void handleUpdateNSImageBackgroundNotification();
    void handleUpdateSponsorLogoNotification();
    void ibHandleButton();

    QWidget* movieView() const;
    QLabel* backgroundView() const { return m_backgroundView; }
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

    Settings& m_settings;
    QPointer<QWidget> m_view;
    QVideoWidget* m_movieView = nullptr;
    QLabel* m_backgroundView = nullptr;
    QLabel* m_sponsor = nullptr;
    StaffNoticeIndicator* m_staffNotice = nullptr;
    QMediaPlayer* m_player = nullptr;
    bool m_doAsMovie = true;
    QSizeF m_movieSize;
};

} // namespace kivo
