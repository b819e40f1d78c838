#include "station/SalesWindowController.h"

#include "core/ConsoleLog.h"
#include "core/NotificationCenter.h"
#include "core/SessionKeys.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "station/AppController.h"
#include "output/OrderReleaseBridge.h"
#include "station/BorderlessWindow.h"
#include "imaging/ThumbnailLoader.h"
#include "output/print/KivoReceiptViewController.h"
#include "output/ui/ReceiptNamePromptDialog.h"
#include "screens/ProgressWindowController.h"
#include "screens/ScreenSaverViewController.h"
#include "search/FileNameIndexService.h"
#include "search/KeypadBeeper.h"
#include "search/PhotoSearch.h"
#include "search/ui/EnterKeyPadController.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kivo {

namespace {

const char* const kClass = "SalesWindowController";
const char* const kAlternateTitle = "alternateTitle";
// The largest side of a photo in the list: big enough to tell the photos apart on a kiosk.
const QSize kThumbnailBound(240, 240);

QString key(const char* k)
{
    return QString::fromLatin1(k);
}

// The station's photo search behind its progress sheet; its answer goes to the session.
class StationPhotoSearcher : public PhotoSearcher
{
public:
    StationPhotoSearcher(SalesWindowController* owner) : m_owner(owner)
    {
        QObject::connect(&m_search, &PhotoSearch::searchFinished, owner,
                         &SalesWindowController::searchFinished);
    }
    bool searchForImagesWithID(const QStringList& ids) override
    {
        if (!m_search.searchForImagesWithID(ids))
            return false;
        m_owner->openProgress({{key(keyMessage), QStringLiteral("Searching For Your Photos...")}});
        return true;
    }

private:
    SalesWindowController* m_owner;
    PhotoSearch m_search;
};

} // namespace

SalesWindowController::SalesWindowController(QObject* parent)
    : QObject(parent), m_session(new SalesSession(this, this)),
      _keypadController(new EnterKeyPadController(this)),
      _progressWindowController(new ProgressWindowController(this)),
      _screenSaverViewController(new ScreenSaverViewController(this))
{
    connect(
        _keypadController, &EnterKeyPadController::sheetEnded, m_session,
        [this](qint64 code, const QVariant& context) { m_session->didEndSheet(code, context); });
    connect(_keypadController, &EnterKeyPadController::buttonAction, m_session,
            &SalesSession::progressButton);
    connect(_progressWindowController, &ProgressWindowController::buttonClicked, m_session,
            &SalesSession::progressButton);
    connect(_progressWindowController, &ProgressWindowController::quitRequested, this,
            [this] { terminateApplication(); });
    m_stationSearcher = std::make_unique<StationPhotoSearcher>(this);
    m_session->setPhotoSearcher(m_stationSearcher.get());
    m_releaseBridge =
        std::make_unique<OrderReleaseBridge>(m_session, Settings::standardUserDefaults());
    m_releaseBridge->setReceipt(
        new KivoReceiptViewController(Settings::standardUserDefaults(), m_releaseBridge.get()));
    m_session->setReleaseFunction(m_releaseBridge->releaseFunction());
    m_session->setOrderSnapshot([this] { return QVariant::fromValue(m_photoOrders.snapshot()); });
    connect(m_session, &SalesSession::setupValidated, this, [this] { warmPhotoIndex(); });
    NotificationCenter::defaultCenter().addObserver(
        this, key(kivoUpdateSponsorLogoNotification),
        [this](const Notification&) { showHideSponsorLogo(ibSponsorView); });
}

SalesWindowController::~SalesWindowController()
{
    if (m_releaseBridge)
        m_releaseBridge->receiptController()->setNamePrompt(nullptr);
    delete m_window;
    // The session waits for a release still on its worker, which uses the bridge: the bridge
    // goes after it.
    delete m_session;
    m_session = nullptr;
    m_releaseBridge.reset();
}

QWidget* SalesWindowController::window()
{
    if (!m_window)
        buildWindow();
    return m_window;
}

void SalesWindowController::buildWindow()
{
    auto* w = new BorderlessWindow();
    w->setObjectName(QStringLiteral("SalesWindow"));
    w->setWindowTitle(QStringLiteral("Kivo Sales Station"));
    w->resize(1280, 800);
    w->installEventFilter(this);
    m_window = w;

    m_background = new QWidget(w);
    m_background->setObjectName(QStringLiteral("ibBackgroundImageView"));

    // The selling screen's own views (photo grid, package panel) come with their controllers;
    // until then the main view lists the customer's photos with the action buttons.
    m_main = new QWidget(w);
    m_main->setObjectName(QStringLiteral("ibMainView"));
    auto* layout = new QVBoxLayout(m_main);
    m_customerLabel = new QLabel(m_main);
    m_customerLabel->setStyleSheet(QStringLiteral("color: white; font-size: 20pt;"));
    // The sponsor's logo sits at the right of the heading, clear of the photos.
    auto* heading = new QHBoxLayout();
    heading->addWidget(m_customerLabel, 1);
    ibSponsorView = new QLabel(m_main);
    ibSponsorView->setObjectName(QStringLiteral("ibSponsorView"));
    heading->addWidget(ibSponsorView, 0, Qt::AlignRight | Qt::AlignTop);
    layout->addLayout(heading);
    m_photoList = new QListWidget(m_main);
    m_photoList->setObjectName(QStringLiteral("ibSelectionNSView"));
    m_photoList->setViewMode(QListView::IconMode);
    m_photoList->setIconSize(kThumbnailBound);
    m_photoList->setResizeMode(QListView::Adjust);
    m_photoList->setMovement(QListView::Static);
    // Fixed cells: the thumbnails arrive after the names, and must not be laid over each other.
    m_photoList->setGridSize(kThumbnailBound + QSize(24, 48));
    layout->addWidget(m_photoList, 1);
    // Thumbnails decode on their own small pool and arrive one by one, so the family sees the
    // first photos while the rest are still being read.
    m_thumbnails = new ThumbnailLoader(this);
    connect(m_thumbnails, &ThumbnailLoader::thumbnailLoaded, this,
            [this](const QString& path, const QImage& image) {
                if (image.isNull())
                    return;
                for (int i = 0; i < m_photoList->count(); ++i) {
                    QListWidgetItem* item = m_photoList->item(i);
                    if (item->data(Qt::UserRole).toString() == path)
                        item->setIcon(QPixmap::fromImage(image));
                }
            });
    auto* row = new QHBoxLayout();
    for (const QString& title :
         {QStringLiteral("Start Over"), QStringLiteral("Back"), QStringLiteral("Show Summary")}) {
        auto* b = new QPushButton(title, m_main);
        b->setProperty(kAlternateTitle, title);
        b->setMinimumHeight(64);
        connect(b, &QPushButton::clicked, this, [this, b] { ibDoActionButton(b); });
        row->addWidget(b);
    }
    layout->addLayout(row);
    showHideSponsorLogo(ibSponsorView);

    QWidget* attract = _screenSaverViewController->view();
    attract->setParent(w);
    attract->show();

    m_releasePanel = new QDialog(w);
    m_releasePanel->setObjectName(QStringLiteral("ibReleaseOrderPanel"));
    m_releasePanel->setWindowModality(Qt::WindowModal);
    auto* panelLayout = new QVBoxLayout(m_releasePanel);
    panelLayout->addWidget(new QLabel(QStringLiteral("Processing Your Order..."), m_releasePanel));

    m_namePrompt = new ReceiptNamePromptDialog(w);
    m_releaseBridge->receiptController()->setNamePrompt(m_namePrompt);

    m_main->hide();
    layoutContent();
}

void SalesWindowController::layoutContent()
{
    if (!m_window)
        return;
    const QRect r = m_window->rect();
    m_background->setGeometry(r);
    m_main->setGeometry(r);
    _screenSaverViewController->view()->setGeometry(r);
}

bool SalesWindowController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        layoutContent();
    return QObject::eventFilter(watched, event);
}

void SalesWindowController::fixThisView()
{
    window();
    m_background->setGeometry(m_window->rect());
}

void SalesWindowController::validateSetupBeforeStarting()
{
    window();
    m_session->validateSetupBeforeStarting();
}

bool SalesWindowController::forceSessionToClose()
{
    return m_session->forceSessionToClose();
}

void SalesWindowController::sizeWindowToMainScreen()
{
    QWidget* w = window();
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (screen)
        w->setGeometry(screen->availableGeometry());
}

void SalesWindowController::startOver()
{
    window()->show();
    m_window->raise();
    m_window->activateWindow();
    m_session->startOver();
}

void SalesWindowController::handleAEQuitApplication()
{
    if (_keypadController->isVisible())
        _keypadController->closeMyCustomSheet(nullptr);
    if (_progressWindowController->isVisible())
        _progressWindowController->ibCloseProgressWindow(QStringLiteral("quitApp"));
}

void SalesWindowController::startOrderSessionWithPhotos(const QStringList& photos)
{
    m_session->startOrderSessionWithPhotos(photos);
}

void SalesWindowController::searchFinished(const QStringList& ids, const QStringList& photos,
                                           bool queryFailed)
{
    m_session->searchFinished(ids, photos, queryFailed);
}

void SalesWindowController::setPhotoSearcher(PhotoSearcher* searcher)
{
    m_session->setPhotoSearcher(searcher);
}

void SalesWindowController::setReleaseFunction(ReleaseFunction release)
{
    m_session->setReleaseFunction(std::move(release));
}

void SalesWindowController::setIndexWarmer(std::function<void(const QString&)> warmer)
{
    m_indexWarmer = std::move(warmer);
}

void SalesWindowController::warmPhotoIndex()
{
    const qint64 method =
        Settings::standardUserDefaults().integerForKey(key(sPrefSearchIDMethodTag));
    if (method != 1)
        return;
    const QString folder = PhotoSearch::searchFolder();
    if (folder.isEmpty())
        return;
    consoleLog(kClass, "warmPhotoIndex", folder);
    if (m_indexWarmer)
        m_indexWarmer(folder);
    else
        FileNameIndexService::instance().prepare(folder);
}

void SalesWindowController::setOrderSummaryOpener(std::function<void(const QVariantMap&)> opener)
{
    m_summaryOpener = std::move(opener);
}

void SalesWindowController::setTerminator(std::function<void()> terminator)
{
    m_terminator = std::move(terminator);
}

void SalesWindowController::mysetHidden(int mode)
{
    window();
    m_screenMode = mode;
    QWidget* attract = _screenSaverViewController->view();
    switch (mode) {
    case 0:
        m_main->show();
        attract->hide();
        break;
    case 1:
        m_main->show();
        attract->show();
        attract->raise();
        break;
    case 2:
        m_main->hide();
        attract->show();
        attract->raise();
        break;
    default:
        break;
    }
}

void SalesWindowController::ibDoActionButton(QObject* sender)
{
    auto* button = qobject_cast<QPushButton*>(sender);
    if (!button) {
        consoleLog(kClass, "ibDoActionButton", QStringLiteral("sender is not a button"));
        return;
    }
    const QString title = button->property(kAlternateTitle).toString();
    if (title.compare(QLatin1String("Start Over"), Qt::CaseInsensitive) == 0)
        m_session->cancelOrder();
    else if (title.compare(QLatin1String("Show Summary"), Qt::CaseInsensitive) == 0)
        m_session->showOrderSummary();
    else if (title.compare(QLatin1String("Back"), Qt::CaseInsensitive) == 0) {
        m_session->backToChoosing();
        m_photoOrders.clearQuantities();
    }
}

QVariantMap SalesWindowController::withParent(const QVariantMap& options)
{
    QVariantMap o = options;
    o.insert(key(keyParentWindow), QVariant::fromValue<QWidget*>(window()));
    return o;
}

void SalesWindowController::openKeypad(const QVariantMap& options)
{
    _keypadController->ibOpenSheetWithOptions(withParent(options));
}

void SalesWindowController::openProgress(const QVariantMap& options)
{
    _progressWindowController->ibOpenSheetWithOptions(withParent(options));
}

void SalesWindowController::closeProgress()
{
    if (_progressWindowController->isVisible())
        _progressWindowController->ibCloseProgressWindow();
}

void SalesWindowController::beep(int count)
{
    _keypadController->beeper()->doBeepInThread(count);
}

void SalesWindowController::showMenuBar()
{
    if (auto* app = qobject_cast<AppController*>(parent())) {
        if (QMenuBar* bar = app->menuBar())
            bar->show();
    }
}

void SalesWindowController::terminateApplication()
{
    if (m_terminator) {
        m_terminator();
        return;
    }
    if (auto* app = qobject_cast<AppController*>(parent())) {
        QMetaObject::invokeMethod(
            app, [app] { app->quitStation(); }, Qt::QueuedConnection);
        return;
    }
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void SalesWindowController::resetSellingScreen()
{
    window();
    m_photoOrders.clear();
    m_photoList->clear();
    m_customerLabel->clear();
    if (m_summary)
        m_summary->hide();
}

void SalesWindowController::showPhotos(const QStringList& photos)
{
    window();
    m_photoOrders.startWithPhotos(photos);
    m_thumbnails->cancelPending();
    m_photoList->clear();
    for (const QString& p : photos) {
        auto* item = new QListWidgetItem(QFileInfo(p).fileName(), m_photoList);
        item->setData(Qt::UserRole, p);
        m_thumbnails->requestThumbnail(p, kThumbnailBound);
    }
    m_customerLabel->setText(
        QStringLiteral("ID %1: %2 photos").arg(m_session->customerIdNumber()).arg(photos.size()));
}

void SalesWindowController::openOrderSummary(const QVariantMap& context)
{
    if (m_summaryOpener) {
        m_summaryOpener(context);
        return;
    }
    // Until the order summary screen exists, a plain sheet gives its three answers.
    if (!m_summary) {
        m_summary = new QDialog(window());
        m_summary->setObjectName(QStringLiteral("OrderSummaryWindow"));
        m_summary->setWindowModality(Qt::WindowModal);
        auto* layout = new QHBoxLayout(m_summary);
        const QList<QPair<QString, qint64>> answers{
            {QStringLiteral("Start Over"), kSheetReturnStopped},
            {QStringLiteral("Edit Order"), kSheetReturnCancelled},
            {QStringLiteral("Accept"), kSheetReturnAccepted}};
        for (const auto& [title, code] : answers) {
            auto* b = new QPushButton(title, m_summary);
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, [this, code = code] {
                m_summary->hide();
                m_session->didEndSheet(code, m_summary->property("context"));
            });
            layout->addWidget(b);
        }
    }
    m_summary->setProperty("context", context);
    m_summary->open();
}

void SalesWindowController::showReleasePanel(bool shown)
{
    window();
    if (shown)
        m_releasePanel->open();
    else
        m_releasePanel->hide();
}

} // namespace kivo
