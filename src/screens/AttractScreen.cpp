#include "screens/AttractScreen.h"

#include "core/ConsoleLog.h"
#include "core/FileReference.h"
#include "core/Paths.h"
#include "core/Settings.h"
#include "screens/Logging.h"
#include "screens/MovieLayout.h"
#include "screens/StaffNoticeIndicator.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QMediaPlayer>
#include <QPainter>
#include <QPluginLoader>
#include <QPromise>
#include <QThreadPool>
#include <QTimer>
#include <QVideoFrame>
#include <QVideoSink>

#include <memory>
#include <utility>

namespace kivo {

namespace {

const char* const kClass = "AttractScreen";

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

// The names of the installed movie backends, as Qt's multimedia plugins declare them, read
// without loading any of them.
QStringList movieBackends()
{
    QStringList names;
    const QStringList folders = QCoreApplication::libraryPaths();
    for (const QString& folder : folders) {
        const QDir plugins(folder + QStringLiteral("/multimedia"));
        const QStringList files = plugins.entryList({QStringLiteral("*.so")}, QDir::Files);
        for (const QString& file : files) {
            const QJsonObject meta = QPluginLoader(plugins.filePath(file)).metaData();
            const QJsonArray keys = meta.value(QStringLiteral("MetaData"))
                                        .toObject()
                                        .value(QStringLiteral("Keys"))
                                        .toArray();
            for (const auto& key : keys)
                names.append(key.toString());
        }
    }
    return names;
}

// Qt ends the whole process when a movie player is made and no backend can be loaded (none
// installed, or QT_MEDIA_BACKEND naming one that is not): the movie is left out instead.
bool movieBackendAvailable()
{
    const QStringList installed = movieBackends();
    const QString named = qEnvironmentVariable("QT_MEDIA_BACKEND");
    return named.isEmpty() ? !installed.isEmpty() : installed.contains(named);
}

// Qt's GStreamer backend, the default, hands a video sink no frame on an X server without
// OpenGL (Xvfb, many a kiosk's plain X server): the movie ends at once with "Internal data
// stream error". Its FFmpeg backend decodes on the CPU everywhere. Called before the first
// movie player is made, which picks the backend for the process; a backend named in the
// environment wins, and one that is not installed is never asked for (Qt would abort).
void preferCpuMovieBackend()
{
    if (!qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        return;
    if (movieBackends().contains(QStringLiteral("ffmpeg")))
        qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

} // namespace

bool isSponsorLogoSetting(Setting key)
{
    return key == Setting::doUseSponsorLogo || key == Setting::sponsorLogoPath ||
           key == Setting::sponsorLogoPathAliasData;
}

void showHideSponsorLogo(QLabel* view, Settings& settings)
{
    if (!view)
        return;
    if (!settings.doUseSponsorLogo()) {
        view->hide();
        view->clear();
        return;
    }
    QPixmap pixmap;
    QString path = settings.sponsorLogoPath();
    if (!path.isEmpty() && !QFileInfo::exists(path)) {
        // A logo moved or renamed since it was chosen is found through its file reference, and
        // its new place stored.
        QString resolved;
        if (FileReference::resolve(settings.sponsorLogoPathAliasData(), &resolved) &&
            QFileInfo(resolved).isFile()) {
            path = resolved;
            settings.setSponsorLogoPath(path);
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

// Only the picture is painted: around a fitted picture what lies beneath shows through.
PictureView::PictureView(QWidget* parent) : QWidget(parent) {}

void PictureView::setImage(const QImage& image)
{
    m_image = image;
    update();
}

void PictureView::setAspectRatioMode(Qt::AspectRatioMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    update();
}

void PictureView::paintEvent(QPaintEvent*)
{
    if (m_image.isNull() || width() <= 0 || height() <= 0)
        return;
    const QSize drawn = m_image.size().scaled(size(), m_mode);
    const QRect target(QPoint((width() - drawn.width()) / 2, (height() - drawn.height()) / 2),
                       drawn);
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
}

AttractScreen::AttractScreen(Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{
    connect(&m_settings, &Settings::changed, this, &AttractScreen::settingChanged);
}

AttractScreen::~AttractScreen()
{
    delete m_view;
}

QWidget* AttractScreen::view()
{
    if (!m_view)
        build();
    return m_view;
}

void AttractScreen::build()
{
    auto* v = new QWidget();
    v->setObjectName(QStringLiteral("ScreenSaverView"));
    v->setAutoFillBackground(true);
    QPalette pal = v->palette();
    pal.setColor(QPalette::Window, QColor(16, 18, 20));
    v->setPalette(pal);
    v->installEventFilter(this);
    m_view = v;

    m_backgroundView = new PictureView(v);
    m_backgroundView->setObjectName(QStringLiteral("_myNSImageView"));
    // The picture covers the screen in its own proportions, upright or wide.
    m_backgroundView->setAspectRatioMode(Qt::KeepAspectRatioByExpanding);

    m_movieView = new PictureView(v);
    m_movieView->setObjectName(QStringLiteral("_myQTMovieView"));
    m_movieView->hide();

    m_sponsor = new QLabel(v);
    m_sponsor->setObjectName(QStringLiteral("ibSponsorView"));
    m_sponsor->setAccessibleName(tr("Sponsor logo"));

    m_staffNotice = new StaffNoticeIndicator(v);

    m_doAsMovie = true;
    onAnimationChanged();
    onBackgroundImageChanged();
    showHideSponsorLogo(m_sponsor, m_settings);
    layoutViews();
}

void AttractScreen::setMovieSize(const QSizeF& size)
{
    m_movieSize = size;
    setUpMovieMode();
}

void AttractScreen::onAnimationChanged()
{
    if (!m_view)
        return;
    Settings& settings = m_settings;
    const bool use = settings.doUseAnimationMovie();
    m_movieView->setVisible(use);
    if (!use) {
        if (m_player)
            m_player->stop();
        m_playsMovie = false;
        return;
    }
    QString path = settings.animationMoviePath();
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        QString resolved;
        if (FileReference::resolve(settings.animationMoviePathAliasData(), &resolved)) {
            path = resolved;
            settings.setAnimationMoviePath(path);
        }
    }
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        if (m_player)
            m_player->stop();
        m_playsMovie = false;
        m_movieView->hide();
        consoleLog(lcScreens(), kClass, "onAnimationChanged", QStringLiteral(" NO moviePath"));
        return;
    }
    // The preferences offer pictures as well as movies for the attract item.
    if (!QImageReader::imageFormat(path).isEmpty())
        showStill(path);
    else
        playMovie(path);
}

void AttractScreen::showStill(const QString& path)
{
    if (m_player)
        m_player->stop();
    m_playsMovie = false;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage still = reader.read();
    if (still.isNull()) {
        consoleLog(lcScreens(), kClass, "onAnimationChanged",
                   QStringLiteral(" movieWithFile returned error: %1").arg(reader.errorString()));
        m_movieView->hide();
        return;
    }
    m_movieView->setImage(still);
    setMovieSize(QSizeF(still.size()));
}

void AttractScreen::playMovie(const QString& path)
{
    if (!m_player) {
        if (!movieBackendAvailable()) {
            consoleLog(lcScreens(), kClass, "onAnimationChanged",
                       QStringLiteral(" no movie backend can be loaded (QT_MEDIA_BACKEND=%1): "
                                      "the attract movie is not shown")
                           .arg(qEnvironmentVariable("QT_MEDIA_BACKEND")));
            m_playsMovie = false;
            m_movieView->hide();
            return;
        }
        preferCpuMovieBackend();
        m_player = new QMediaPlayer(this);
        // Frames come to a sink and are painted by a plain widget: no OpenGL needed.
        m_sink = new QVideoSink(this);
        m_player->setVideoOutput(m_sink);
        connect(m_sink, &QVideoSink::videoFrameChanged, this, &AttractScreen::showFrame);
        connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus status) {
                    // The attract movie repeats while it is shown.
                    if (status == QMediaPlayer::EndOfMedia && m_playsMovie && movieShowing()) {
                        m_player->setPosition(0);
                        m_player->play();
                    }
                    if (status == QMediaPlayer::InvalidMedia) {
                        consoleLog(lcScreens(), kClass, "onAnimationChanged",
                                   QStringLiteral(" movieWithFile returned error: %1")
                                       .arg(m_player->errorString()));
                        m_playsMovie = false;
                        m_movieView->hide();
                    }
                });
    }
    const QUrl source = QUrl::fromLocalFile(path);
    if (!m_playsMovie || m_player->source() != source) {
        m_movieView->setImage(QImage());
        m_player->setSource(source);
    }
    m_playsMovie = true;
    setUpMovieMode();
    setupAutoReplay();
}

void AttractScreen::showFrame(const QVideoFrame& frame)
{
    if (!m_playsMovie || !frame.isValid())
        return;
    const QImage image = frame.toImage();
    if (image.isNull())
        return;
    m_movieView->setImage(image);
    if (QSizeF(image.size()) != m_movieSize)
        setMovieSize(QSizeF(image.size()));
}

bool AttractScreen::movieShowing() const
{
    return m_view && m_view->isVisible() && m_movieView && !m_movieView->isHidden();
}

void AttractScreen::playOrPause()
{
    if (!m_player || !m_playsMovie)
        return;
    const bool play = movieShowing();
    const auto wanted = play ? QMediaPlayer::PlayingState : QMediaPlayer::PausedState;
    if (m_player->playbackState() == wanted)
        return;
    if (play)
        m_player->play();
    else
        m_player->pause();
    consoleLog(lcScreens(), kClass, "playOrPause",
               play ? QStringLiteral(" attract movie plays")
                    : QStringLiteral(" attract movie paused"));
}

void AttractScreen::setUpMovieMode()
{
    if (!m_view)
        return;
    Settings& settings = m_settings;
    const bool fullScreen = settings.animationMoviePlayFullScreen();
    const QSizeF area = m_view->size();
    m_movieView->setGeometry(movieViewFrame(m_movieSize, area, fullScreen).toRect());
    const bool keep = !fullScreen || settings.animationMoviePreserveAspectRatio();
    m_movieView->setAspectRatioMode(keep ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio);
}

void AttractScreen::setupAutoReplay()
{
    QTimer::singleShot(1000, this, [this] {
        if (m_player && m_playsMovie && movieShowing())
            m_player->play();
    });
}

void AttractScreen::settingChanged(Setting key)
{
    const auto is = [key](Setting s) { return key == s; };
    if (is(Setting::doUseAnimationMovie) || is(Setting::animationMoviePath) ||
        is(Setting::animationMoviePathAliasData))
        m_movieChanged = true;
    else if (is(Setting::animationMoviePlayFullScreen) ||
             is(Setting::animationMoviePreserveAspectRatio))
        m_layoutChanged = true;
    else if (is(Setting::doUseImageBackground))
        m_backgroundChanged = true;
    else if (isSponsorLogoSetting(key))
        m_logoChanged = true;
    else
        return;
    if (!m_applyScheduled) {
        m_applyScheduled = true;
        QMetaObject::invokeMethod(this, &AttractScreen::applyPendingChanges, Qt::QueuedConnection);
    }
}

void AttractScreen::applyPendingChanges()
{
    m_applyScheduled = false;
    const bool movie = std::exchange(m_movieChanged, false);
    const bool layout = std::exchange(m_layoutChanged, false);
    const bool background = std::exchange(m_backgroundChanged, false);
    const bool logo = std::exchange(m_logoChanged, false);
    // A view not built yet reads the settings when it is.
    if (!m_view)
        return;
    if (movie)
        onAnimationChanged();
    else if (layout)
        setUpMovieMode();
    if (background)
        onBackgroundImageChanged();
    if (logo)
        onSponsorLogoChanged();
}

void AttractScreen::onBackgroundImageChanged()
{
    m_backgroundView->setVisible(m_settings.doUseImageBackground());
    showBackground();
}

void AttractScreen::showBackground()
{
    // Each shipped picture takes some 8 MB once read: only the one the screen shows is read, and
    // none while the background is off.
    if (m_backgroundView->isHidden()) {
        m_backgroundView->setImage(QImage());
        m_backgroundName.clear();
        return;
    }
    // A wide picture covering an upright screen would lose its sides, words included.
    const bool uprightScreen = m_view->height() > m_view->width();
    QString name = uprightScreen ? QStringLiteral("background-portrait") : QString();
    QString path = name.isEmpty() ? QString() : paths::resourcePath(name, QStringLiteral("png"));
    if (path.isEmpty()) {
        name = QStringLiteral("background");
        path = paths::resourcePath(name, QStringLiteral("png"));
    }
    if (name == m_backgroundName)
        return;
    m_backgroundName = name;
    if (path.isEmpty()) {
        m_backgroundView->setImage(QImage());
        return;
    }
    // Decoding the picture takes longer than building the rest of the sales window: it runs on
    // another thread meanwhile, and shows once it is read unless another took its place.
    auto* reading = new QFutureWatcher<QImage>(this);
    connect(reading, &QFutureWatcherBase::finished, this, [this, reading, name] {
        reading->deleteLater();
        if (name == m_backgroundName && !m_backgroundView->isHidden())
            m_backgroundView->setImage(reading->result());
    });
    auto promise = std::make_shared<QPromise<QImage>>();
    reading->setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, path] {
        promise->start();
        promise->addResult(QImage(path));
        promise->finish();
    });
}

void AttractScreen::onSponsorLogoChanged()
{
    showHideSponsorLogo(m_sponsor, m_settings);
    layoutViews();
}

void AttractScreen::onButtonClicked()
{
    if (m_view)
        m_view->hide();
}

void AttractScreen::layoutViews()
{
    if (!m_view)
        return;
    m_backgroundView->setGeometry(m_view->rect());
    showBackground();
    setUpMovieMode();
    m_sponsor->adjustSize();
    m_sponsor->move(m_view->width() - m_sponsor->width() - 20, 20);
    m_sponsor->raise();
    m_staffNotice->placeInCorner();
    m_staffNotice->raise();
}

void AttractScreen::setStaffNotice(const QString& text)
{
    view();
    m_staffNotice->setNotice(text);
}

bool AttractScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view && event->type() == QEvent::Resize)
        layoutViews();
    // The movie plays only while the attract screen shows: paused during a visit.
    if (watched == m_view && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        playOrPause();
    return QObject::eventFilter(watched, event);
}

} // namespace kivo
