#include "screens/ScreenSaverViewController.h"

#include "core/ConsoleLog.h"
#include "core/FileReference.h"
#include "core/NotificationCenter.h"
#include "core/Paths.h"
#include "core/SessionKeys.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "screens/MovieLayout.h"

#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMediaPlayer>
#include <QPainter>
#include <QTimer>
#include <QVideoSink>
#include <QVideoWidget>

namespace kivo {

namespace {

const char* const kClass = "ScreenSaverViewController";

QString key(const char* k)
{
    return QString::fromLatin1(k);
}

// The built-in "logo" picture: the resource file, or a drawn one when it is not installed.
QPixmap builtInLogo()
{
    const QString path = paths::resourcePath(QStringLiteral("logo"), QStringLiteral("png"));
    QPixmap pixmap;
    if (!path.isEmpty() && pixmap.load(path))
        return pixmap;
    pixmap = QPixmap(240, 96);
    pixmap.fill(QColor(32, 36, 40));
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPointSize(36);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("Kivo"));
    return pixmap;
}

} // namespace

void showHideSponsorLogo(QLabel* view)
{
    if (!view)
        return;
    Settings& settings = Settings::standardUserDefaults();
    if (!settings.boolForKey(key(sPrefDoUseSponsorLogo))) {
        view->hide();
        view->clear();
        return;
    }
    QPixmap pixmap;
    const QString path = settings.stringForKey(key(sPrefSponsorLogoPath));
    const bool loaded = !path.isEmpty() && QFileInfo::exists(path) && pixmap.load(path);
    if (!loaded)
        pixmap = builtInLogo();
    view->setPixmap(pixmap);
    view->setProperty("showsBuiltInLogo", !loaded);
    view->adjustSize();
    view->show();
}

ScreenSaverViewController::ScreenSaverViewController(QObject* parent) : QObject(parent) {}

ScreenSaverViewController::~ScreenSaverViewController()
{
    delete m_view;
}

QWidget* ScreenSaverViewController::view()
{
    if (!m_view)
        build();
    return m_view;
}

QWidget* ScreenSaverViewController::movieView() const
{
    return _myQTMovieView;
}

void ScreenSaverViewController::build()
{
    auto* v = new QWidget();
    v->setObjectName(QStringLiteral("ScreenSaverView"));
    v->setAutoFillBackground(true);
    QPalette pal = v->palette();
    pal.setColor(QPalette::Window, QColor(16, 18, 20));
    v->setPalette(pal);
    v->installEventFilter(this);
    m_view = v;

    _myNSImageView = new QLabel(v);
    _myNSImageView->setObjectName(QStringLiteral("_myNSImageView"));
    _myNSImageView->setScaledContents(true);
    const QString background =
        paths::resourcePath(QStringLiteral("background"), QStringLiteral("png"));
    if (!background.isEmpty())
        _myNSImageView->setPixmap(QPixmap(background));

    _myQTMovieView = new QVideoWidget(v);
    _myQTMovieView->setObjectName(QStringLiteral("_myQTMovieView"));
    _myQTMovieView->hide();

    m_sponsor = new QLabel(v);
    m_sponsor->setObjectName(QStringLiteral("ibSponsorView"));

    _doAsQTMovie = true;
    auto& center = NotificationCenter::defaultCenter();
    center.addObserver(this, key(kivoUpdateAnimationMovieNotification),
                       [this](const Notification&) { handleUpdateAnimationNotification(); });
    center.addObserver(
        this, key(kivoUpdateNSImageBackgroundNotification),
        [this](const Notification&) { handleUpdateNSImageBackgroundNotification(); });
    center.addObserver(this, key(kivoUpdateSponsorLogoNotification),
                       [this](const Notification&) { handleUpdateSponsorLogoNotification(); });
    center.postNotification(key(kivoUpdateAnimationMovieNotification), this);
    center.postNotification(key(kivoUpdateNSImageBackgroundNotification), this);
    showHideSponsorLogo(m_sponsor);
    layoutViews();
}

void ScreenSaverViewController::setMovieSize(const QSizeF& size)
{
    fMovieSize = size;
    setupForQTMovieMode();
}

void ScreenSaverViewController::handleUpdateAnimationNotification()
{
    Settings& settings = Settings::standardUserDefaults();
    const bool use = settings.boolForKey(key(sPrefDoUseAnimationMovie));
    _myQTMovieView->setVisible(use);
    if (!use) {
        if (m_player)
            m_player->stop();
        return;
    }
    QString path = settings.stringForKey(key(sPrefAnimationMoviePath));
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        QString resolved;
        if (FileReference::resolve(settings.dataForKey(key(sPrefAnimationMoviePathAliasData)),
                                   &resolved)) {
            path = resolved;
            settings.setString(path, key(sPrefAnimationMoviePath));
        }
    }
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        _myQTMovieView->hide();
        consoleLog(kClass, "handleUpdateAnimationNotification", QStringLiteral(" NO moviePath"));
        return;
    }
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_player->setVideoOutput(_myQTMovieView);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus status) {
                    // The attract movie repeats while it is shown.
                    if (status == QMediaPlayer::EndOfMedia && !_myQTMovieView->isHidden())
                        m_player->play();
                    if (status == QMediaPlayer::InvalidMedia) {
                        consoleLog(kClass, "handleUpdateAnimationNotification",
                                   QStringLiteral(" movieWithFile returned error: %1")
                                       .arg(m_player->errorString()));
                        _myQTMovieView->hide();
                    }
                });
        connect(_myQTMovieView->videoSink(), &QVideoSink::videoSizeChanged, this, [this] {
            const QSize s = _myQTMovieView->videoSink()->videoSize();
            if (!s.isEmpty() && QSizeF(s) != fMovieSize)
                setMovieSize(QSizeF(s));
        });
    }
    m_player->setSource(QUrl::fromLocalFile(path));
    setupForQTMovieMode();
    setupAutoReplay();
}

void ScreenSaverViewController::setupForQTMovieMode()
{
    if (!m_view)
        return;
    Settings& settings = Settings::standardUserDefaults();
    const bool fullScreen = settings.boolForKey(key(sPrefAnimationMoviePlayFullScreen));
    const QSizeF area = m_view->size();
    _myQTMovieView->setGeometry(movieViewFrame(fMovieSize, area, fullScreen).toRect());
    const bool keep =
        !fullScreen || settings.boolForKey(key(sPrefAnimationMoviePreserveAspectRatio));
    _myQTMovieView->setAspectRatioMode(keep ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio);
}

void ScreenSaverViewController::setupAutoReplay()
{
    QTimer::singleShot(1000, this, [this] {
        if (m_player && _myQTMovieView && !_myQTMovieView->isHidden())
            m_player->play();
    });
}

void ScreenSaverViewController::handleUpdateNSImageBackgroundNotification()
{
    _myNSImageView->setVisible(
        Settings::standardUserDefaults().boolForKey(key(sPrefDoUseNSImageBackground)));
}

void ScreenSaverViewController::handleUpdateSponsorLogoNotification()
{
    showHideSponsorLogo(m_sponsor);
    layoutViews();
}

void ScreenSaverViewController::ibHandleButton()
{
    if (m_view)
        m_view->hide();
}

void ScreenSaverViewController::layoutViews()
{
    if (!m_view)
        return;
    _myNSImageView->setGeometry(m_view->rect());
    setupForQTMovieMode();
    m_sponsor->adjustSize();
    m_sponsor->move(m_view->width() - m_sponsor->width() - 20, 20);
    m_sponsor->raise();
}

bool ScreenSaverViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::Resize)
        layoutViews();
    return QObject::eventFilter(watched, event);
}

} // namespace kivo
