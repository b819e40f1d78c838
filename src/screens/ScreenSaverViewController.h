#pragma once

#include <QObject>
#include <QPointer>
#include <QSizeF>

class QLabel;
class QMediaPlayer;
class QVideoWidget;
class QWidget;

namespace kivo {

// Shows or hides a sponsor logo view from the settings: hidden and empty when
// "prefDoUseSponsorLogo" is off; else the picture at "prefSponsorLogoPath", or the built-in
// "logo" picture when that file is missing or unreadable. Shared with the sales window.
void showHideSponsorLogo(QLabel* view);

// The attract screen between customers: a looping movie or a still background picture, with
// an optional sponsor logo, over the whole sales window. It sets itself up from the settings and
// follows them through the three update notifications.
class ScreenSaverViewController : public QObject
{
    Q_OBJECT

public:
    explicit ScreenSaverViewController(QObject* parent = nullptr);
    ~ScreenSaverViewController() override;

    // The view (created on first use); the owner places it over the window's content.
    QWidget* view();

    void setQTMovieMode(bool on) { _doAsQTMovie = on; }
    void setupForQTMovieMode();
    void setupAutoReplay();
    void handleUpdateAnimationNotification();
    void handleUpdateNSImageBackgroundNotification();
    void handleUpdateSponsorLogoNotification();
    void ibHandleButton();

    QWidget* movieView() const;
    QLabel* backgroundView() const { return _myNSImageView; }
    QLabel* ibSponsorView() const { return m_sponsor; }
    QMediaPlayer* player() const { return m_player; }
    QSizeF movieSize() const { return fMovieSize; }
    // The movie size as the first frame gives it (also used when the player reports it).
    void setMovieSize(const QSizeF& size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void layoutViews();

    QPointer<QWidget> m_view;
    QVideoWidget* _myQTMovieView = nullptr;
    QLabel* _myNSImageView = nullptr;
    QLabel* m_sponsor = nullptr;
    QMediaPlayer* m_player = nullptr;
    bool _doAsQTMovie = true;
    QSizeF fMovieSize;
};

} // namespace kivo
