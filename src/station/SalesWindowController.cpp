#include "station/SalesWindowController.h"

#include "core/ConsoleLog.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "imaging/ThumbnailLoader.h"
#include "output/OrderReleaseBridge.h"
#include "output/print/KivoReceiptViewController.h"
#include "output/ui/ReceiptNamePromptDialog.h"
#include "screens/ProgressWindowController.h"
#include "screens/ScreenSaverViewController.h"
#include "search/FileNameIndexService.h"
#include "search/KeypadBeeper.h"
#include "search/PhotoSearch.h"
#include "search/ui/EnterKeyPadController.h"
#include "station/AppController.h"
#include "station/BorderlessWindow.h"

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
// The largest side of a photo in the list: big enough to tell the photos apart on a kiosk.
const QSize kThumbnailBound(240, 240);
// How long the station waits at its end for a release that is still writing.
constexpr int kReleaseWaitAtEndMs = 30000;

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
        ProgressOptions options;
        options.message = SalesWindowController::tr("Searching For Your Photos...");
        m_owner->openProgress(options);
        return true;
    }

private:
    SalesWindowController* m_owner;
    PhotoSearch m_search;
};

} // namespace

SalesWindowController::SalesWindowController(Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_session(new SalesSession(this, settings, this)),
      m_keypad(new EnterKeyPadController(settings, this)),
      m_progress(new ProgressWindowController(this)),
      m_screenSaver(new ScreenSaverViewController(settings, this))
{
    connect(m_keypad, &EnterKeyPadController::sheetEnded, m_session, &SalesSession::didEndSheet);
    connect(m_keypad, &EnterKeyPadController::buttonAction, m_session,
            &SalesSession::performSheetAction);
    connect(m_progress, &ProgressWindowController::buttonClicked, m_session,
            &SalesSession::performSheetAction);
    connect(m_progress, &ProgressWindowController::quitRequested, this,
            [this] { terminateApplication(); });
    m_stationSearcher = std::make_unique<StationPhotoSearcher>(this);
    m_session->setPhotoSearcher(m_stationSearcher.get());
    m_releaseBridge = std::make_unique<OrderReleaseBridge>(m_session, m_settings);
    m_releaseBridge->setReceipt(new KivoReceiptViewController(m_settings, m_releaseBridge.get()));
    m_session->setReleaseFunction(m_releaseBridge->releaseFunction());
    m_session->setOrderSnapshot([this] { return QVariant::fromValue(m_photoOrders.snapshot()); });
    connect(m_session, &SalesSession::setupValidated, this, [this] { warmPhotoIndex(); });
}

SalesWindowController::~SalesWindowController()
{
    // The station's end: nobody is left to type a name on the receipt, and the session shows
    // nothing more, so that a release ending now cannot reach views that are going away.
    if (m_releaseBridge)
        m_releaseBridge->receiptController()->setNamePrompt(nullptr);
    m_session->detachView();
    // A release still on its worker uses the bridge and may wait for this thread: it is let
    // finish while everything it may touch is still whole.
    if (!m_session->finishRelease(kReleaseWaitAtEndMs))
        consoleLog(kClass, "~SalesWindowController",
                   QStringLiteral("the release did not finish in time"));
    delete m_session;
    m_session = nullptr;
    delete m_window;
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
    w->setWindowTitle(tr("Kivo Sales Station"));
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
    m_sponsorView = new QLabel(m_main);
    m_sponsorView->setObjectName(QStringLiteral("ibSponsorView"));
    heading->addWidget(m_sponsorView, 0, Qt::AlignRight | Qt::AlignTop);
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
    const auto addAction = [this, row](const QString& title, auto action) {
        auto* b = new QPushButton(title, m_main);
        b->setMinimumHeight(64);
        connect(b, &QPushButton::clicked, this, action);
        row->addWidget(b);
    };
    addAction(tr("Start Over"), [this] { m_session->cancelOrder(); });
    addAction(tr("Back"), [this] { backToChoosing(); });
    addAction(tr("Show Summary"), [this] { m_session->showOrderSummary(); });
    layout->addLayout(row);
    showHideSponsorLogo(m_sponsorView, m_settings);

    QWidget* attract = m_screenSaver->view();
    attract->setParent(w);
    attract->show();

    m_releasePanel = new QDialog(w);
    m_releasePanel->setObjectName(QStringLiteral("ibReleaseOrderPanel"));
    m_releasePanel->setWindowModality(Qt::WindowModal);
    auto* panelLayout = new QVBoxLayout(m_releasePanel);
    panelLayout->addWidget(new QLabel(tr("Processing Your Order..."), m_releasePanel));

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
    m_screenSaver->view()->setGeometry(r);
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
    if (m_keypad->isVisible())
        m_keypad->closeForQuit();
    if (m_progress->isVisible())
        m_progress->closeForQuit();
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
    const qint64 method = m_settings.integerForKey(QString::fromLatin1(sPrefSearchIDMethodTag));
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

void SalesWindowController::setOrderSummaryOpener(std::function<void(const SheetContext&)> opener)
{
    m_summaryOpener = std::move(opener);
}

void SalesWindowController::setTerminator(std::function<void()> terminator)
{
    m_terminator = std::move(terminator);
}

void SalesWindowController::mysetHidden(ScreenMode mode)
{
    window();
    m_screenMode = mode;
    QWidget* attract = m_screenSaver->view();
    m_main->setVisible(mode != ScreenMode::ContentHidden);
    attract->setVisible(mode != ScreenMode::Selling);
    if (mode != ScreenMode::Selling)
        attract->raise();
}

void SalesWindowController::backToChoosing()
{
    m_session->backToChoosing();
    m_photoOrders.clearQuantities();
}

void SalesWindowController::handleUpdateSponsorLogoNotification()
{
    showHideSponsorLogo(m_sponsorView, m_settings);
    m_screenSaver->handleUpdateSponsorLogoNotification();
}

void SalesWindowController::openKeypad(const KeypadOptions& options)
{
    m_keypad->ibOpenSheetWithOptions(options, window());
}

void SalesWindowController::openProgress(const ProgressOptions& options)
{
    m_progress->ibOpenSheetWithOptions(options, window());
}

void SalesWindowController::closeProgress()
{
    if (m_progress->isVisible())
        m_progress->ibCloseProgressWindow();
}

void SalesWindowController::beep(int count)
{
    m_keypad->beeper()->doBeepInThread(count);
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
        tr("ID %1: %2 photos").arg(m_session->customerIdNumber()).arg(photos.size()));
}

void SalesWindowController::openOrderSummary(const SheetContext& context)
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
        const QList<QPair<QString, SheetReturn>> answers{{tr("Start Over"), SheetReturn::Stopped},
                                                         {tr("Edit Order"), SheetReturn::Cancelled},
                                                         {tr("Accept"), SheetReturn::Accepted}};
        for (const auto& [title, code] : answers) {
            auto* b = new QPushButton(title, m_summary);
            b->setAutoDefault(false);
            connect(b, &QPushButton::clicked, this, [this, code = code] {
                m_summary->hide();
                m_session->didEndSheet(code, m_summaryContext);
            });
            layout->addWidget(b);
        }
    }
    m_summaryContext = context;
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
