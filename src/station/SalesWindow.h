#pragma once

#include "orders/PackageCatalogue.h"
#include "visit/SalesSession.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>

class QDialog;
class QLabel;

namespace kivo {

class KeypadSheet;
class MarkingWindow;
struct PhotoChoice;
class PhotoEditingWindow;
class ZoomWindow;
class OrderSummaryModel;
class OrderSummarySheet;
class PackagePanelModel;
class PhotoGridModel;
class SellingCoordinator;
class SellingScreen;
class ReceiptNamePromptDialog;
class ProgressSheet;
class AttractScreen;
class Settings;
class StaffNoticeIndicator;
class StaffNotices;

// Drives one customer's visit in the sales window, from the attract screen to the next start
// over. One per process, created by the application controller at launch. The rules and states
// of the visit are in SalesSession; this class shows what the session asks for (the keypad,
// the progress sheet, the attract screen, the release panel) and hands the answers back.
class SalesWindow : public QObject, public SessionView
{
    Q_OBJECT

public:
    explicit SalesWindow(Settings& settings, QObject* parent = nullptr);
    // Lets a release still writing finish before anything of the window goes.
    ~SalesWindow() override;

    // The sales window (created on first use).
    QWidget* window();

    // Lets the background view fill the window's content.
    void fitToScreen();

    // Checks the images and point-of-sale folders on a worker thread before the first visit.
    void validateSetupBeforeStarting();

    // Sets the window's frame to the visible frame of its screen.
    void sizeWindowToMainScreen();

    // Back to the attract screen and the ID prompt.
    void startOver();
    // The preferences saved the package catalogue: between visits the panel offers it at once,
    // during one from the next visit on.
    void catalogueSaved();

    // Raises the sheets and windows showing over the sales window above it, the one that takes
    // input (the modal one) last and active. Without a window manager nothing else keeps them
    // there: a raise of the sales window covers them.
    void bringSheetsToFront();

    // The print host asked the station to quit: the open prompt answers as for the quit code.
    void onHostQuit();

    // The sales window is being closed: the visit ends in order (its sheets and windows close
    // unanswered, the selling screen is cleared, the customer's lock is released) and, unless
    // the station is already ending, the station ends, since nobody can be served without the
    // window. Answers true: the window may close.
    bool confirmClose();

    // Warms the photo search's file-name index for a folder; the station's index by default.
    void setIndexWarmer(std::function<void(const QString& folder)> warmer);
    // Ends the application; the application controller's quit when not set.
    void setTerminator(std::function<void()> terminator);
    // Where a changed catalogue that is refused is named to the staff.
    void setStaffNotices(StaffNotices* notices) { m_staffNotices = notices; }

    SalesSession* session() const { return m_session; }
    // The selling screen: the photos on show with one order each, in grid order, the package
    // panel for the selected photo, and the summary of the whole order.
    PhotoGridModel* photoGrid() const { return m_grid; }
    PackagePanelModel* packagePanel() const { return m_panel; }
    OrderSummaryModel* orderSummaryModel() const { return m_summaryModel; }
    SellingCoordinator* sellingCoordinator() const { return m_coordinator; }
    SellingScreen* sellingScreen();
    OrderSummarySheet* orderSummary();
    KeypadSheet* keypad() const { return m_keypad; }
    ProgressSheet* progress() const { return m_progress; }
    AttractScreen* screenSaver() const { return m_screenSaver; }

    void applyScreenMode(ScreenMode mode);
    ScreenMode screenMode() const { return m_screenMode; }
    QWidget* contentView() const { return m_main; }

    // The window in which the customer marks the photos to buy (shown at the start of a visit
    // when prefDoShowWowWindow is on; created on first use).
    MarkingWindow* markingWindow();
    // The marked photos come back: with prefSellMarkedPhotosOnly exactly the marked photos are
    // offered for sale (all of the visit's when none is marked); otherwise the photo marked last
    // is selected.
    void handleMarkedPhotos(const PhotoChoice& choice);
    // The zoom window: the selected photo over the whole window, with the sample print.
    ZoomWindow* zoomView();
    // The photo-editing window (the crop editor) over the whole window. It writes job tickets
    // into the images folder, so it is the staff's: it opens from the preferences, never from a
    // customer's touch (a double tap on the photo zooms it instead).
    PhotoEditingWindow* photoEditingWindow();
    void openCropEditor();

    // What the staff must know (empty: nothing): a small indicator on the attract screen and on
    // the selling screen, never the text itself.
    void setStaffNotice(const QString& text);
    StaffNoticeIndicator* sellingStaffNotice();

    // SessionView
    void openKeypad(const KeypadOptions& options) override;
    void openProgress(const ProgressOptions& options) override;
    void closeProgress() override;
    void setScreenMode(ScreenMode mode) override { applyScreenMode(mode); }
    void beep(int count) override;
    void showMenuBar() override;
    void terminateApplication() override;
    void resetSellingScreen() override;
    void showPhotos(const QStringList& photos) override;
    void openOrderSummary(const SheetContext& context) override;
    void showReleasePanel(bool shown) override;
    ReleaseSnapshot orderSnapshot() override;
    void withdrawPhotos(const QStringList& photos) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static QString catalogueStamp();
    void reloadChangedCatalogue();
    void buildWindow();
    void layoutContent();
    void warmPhotoIndex();
    void showZoom(const QString& path);
    void photoHandedBack(const QString& path);

    Settings& m_settings;
    QPointer<QWidget> m_window;
    QWidget* m_background = nullptr;
    QWidget* m_main = nullptr;
    SellingScreen* m_selling = nullptr;
    StaffNoticeIndicator* m_staffNotice = nullptr;
    QDialog* m_releasePanel = nullptr;
    OrderSummarySheet* m_summary = nullptr;
    SheetContext m_summaryContext;
    ScreenMode m_screenMode = ScreenMode::Attract;

    SalesSession* m_session = nullptr;
    KeypadSheet* m_keypad = nullptr;
    ProgressSheet* m_progress = nullptr;
    AttractScreen* m_screenSaver = nullptr;
    std::function<void()> m_terminator;
    StaffNotices* m_staffNotices = nullptr;
    PackageCatalogue m_catalogue;
    // The catalogue files' paths and times as last loaded.
    QString m_catalogueStamp;
    PhotoGridModel* m_grid = nullptr;
    PackagePanelModel* m_panel = nullptr;
    OrderSummaryModel* m_summaryModel = nullptr;
    SellingCoordinator* m_coordinator = nullptr;
    ReceiptNamePromptDialog* m_namePrompt = nullptr;
    std::function<void(const QString&)> m_indexWarmer;
    MarkingWindow* m_marking = nullptr;
    ZoomWindow* m_zoom = nullptr;
    PhotoEditingWindow* m_editing = nullptr;
    // The sale is being restarted with the customer's marked photos: no second marking window.
    bool m_applyingMarks = false;
    bool m_closing = false;
};

} // namespace kivo
