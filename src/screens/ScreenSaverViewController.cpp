#include "screens/ScreenSaverViewController.h"

#include "core/ConsoleLog.h"
#include "core/FileReference.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "screens/MovieLayout.h"
#include "screens/StaffNoticeIndicator.h"

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

void showHideSponsorLogo(QLabel* view, Settings& settings)
{
    if (!view)
        return;
    if (!settings.boolForKey(QString::fromLatin1(sPrefDoUseSponsorLogo))) {
        view->hide();
        view->clear();
        return;
    }
    QPixmap pixmap;
    QString path = settings.stringForKey(QString::fromLatin1(sPrefSponsorLogoPath));
    if (!path.isEmpty() && !QFileInfo::exists(path)) {
        // A logo moved or renamed since it was chosen is found through its file reference, and
        // its new place stored.
        QString resolved;
        if (FileReference::resolve(
                settings.dataForKey(QString::fromLatin1(sPrefSponsorLogoPathAliasData)),
                &resolved) &&
            QFileInfo(resolved).isFile()) {
            path = resolved;
            settings.setString(path, QString::fromLatin1(sPrefSponsorLogoPath));
        }
    }
    const bool loaded = !path.isEmpty() && QFileInfo::exists(path) && pixmap.load(path);
    if (!loaded)
        pixmap = builtInLogo();
    view->setPixmap(pixmap);
    view->setProperty("showsBuiltInLogo", !loaded);
    view->adjustSize();
    view->show();
}

ScreenSaverViewController::ScreenSaverViewController(Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{}

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
    return m_movieView;
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

    m_backgroundView = new QLabel(v);
    m_backgroundView->setObjectName(QStringLiteral("_myNSImageView"));
    m_backgroundView->setScaledContents(true);
    const QString background =
        paths::resourcePath(QStringLiteral("background"), QStringLiteral("png"));
    if (!background.isEmpty())
        m_backgroundView->setPixmap(QPixmap(background));

    m_movieView = new QVideoWidget(v);
    m_movieView->setObjectName(QStringLiteral("_myQTMovieView"));
    m_movieView->hide();

    m_sponsor = new QLabel(v);
    m_sponsor->setObjectName(QStringLiteral("ibSponsorView"));

    m_staffNotice = new StaffNoticeIndicator(v);

    m_doAsMovie = true;
    handleUpdateAnimationNotification();
    handleUpdateNSImageBackgroundNotification();
    showHideSponsorLogo(m_sponsor, m_settings);
    layoutViews();
}

void ScreenSaverViewController::setMovieSize(const QSizeF& size)
{
    m_movieSize = size;
    setupForQTMovieMode();
}

void ScreenSaverViewController::handleUpdateAnimationNotification()
{
    Settings& settings = m_settings;
    const bool use = settings.boolForKey(QString::fromLatin1(sPrefDoUseAnimationMovie));
    m_movieView->setVisible(use);
    if (!use) {
        if (m_player)
            m_player->stop();
        return;
    }
    QString path = settings.stringForKey(QString::fromLatin1(sPrefAnimationMoviePath));
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        QString resolved;
        if (FileReference::resolve(
                settings.dataForKey(QString::fromLatin1(sPrefAnimationMoviePathAliasData)),
                &resolved)) {
            path = resolved;
            settings.setString(path, QString::fromLatin1(sPrefAnimationMoviePath));
        }
    }
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        m_movieView->hide();
        consoleLog(kClass, "handleUpdateAnimationNotification", QStringLiteral(" NO moviePath"));
        return;
    }
    if (!m_player) {
        m_player = new QMediaPlayer(this);
        m_player->setVideoOutput(m_movieView);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus status) {
                    // The attract movie repeats while it is shown.
                    if (status == QMediaPlayer::EndOfMedia && !m_movieView->isHidden())
                        m_player->play();
                    if (status == QMediaPlayer::InvalidMedia) {
                        consoleLog(kClass, "handleUpdateAnimationNotification",
                                   QStringLiteral(" movieWithFile returned error: %1")
                                       .arg(m_player->errorString()));
                        m_movieView->hide();
                    }
                });
        connect(m_movieView->videoSink(), &QVideoSink::videoSizeChanged, this, [this] {
            const QSize s = m_movieView->videoSink()->videoSize();
            if (!s.isEmpty() && QSizeF(s) != m_movieSize)
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
    Settings& settings = m_settings;
    const bool fullScreen =
        settings.boolForKey(QString::fromLatin1(sPrefAnimationMoviePlayFullScreen));
    const QSizeF area = m_view->size();
    m_movieView->setGeometry(movieViewFrame(m_movieSize, area, fullScreen).toRect());
    const bool keep =
        !fullScreen ||
        settings.boolForKey(QString::fromLatin1(sPrefAnimationMoviePreserveAspectRatio));
    m_movieView->setAspectRatioMode(keep ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio);
}

void ScreenSaverViewController::setupAutoReplay()
{
    QTimer::singleShot(1000, this, [this] {
        if (m_player && m_movieView && !m_movieView->isHidden())
            m_player->play();
    });
}

void ScreenSaverViewController::handleUpdateNSImageBackgroundNotification()
{
    m_backgroundView->setVisible(
        m_settings.boolForKey(QString::fromLatin1(sPrefDoUseNSImageBackground)));
}

void ScreenSaverViewController::handleUpdateSponsorLogoNotification()
{
    showHideSponsorLogo(m_sponsor, m_settings);
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
    m_backgroundView->setGeometry(m_view->rect());
    setupForQTMovieMode();
    m_sponsor->adjustSize();
    m_sponsor->move(m_view->width() - m_sponsor->width() - 20, 20);
    m_sponsor->raise();
    m_staffNotice->placeInCorner();
    m_staffNotice->raise();
}

void ScreenSaverViewController::setStaffNotice(const QString& text)
{
    view();
    m_staffNotice->setNotice(text);
}

bool ScreenSaverViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::Resize)
        layoutViews();
    return QObject::eventFilter(watched, event);
}

} // namespace kivo
