#pragma once

#include "screens/PackagePanelModel.h"
#include "screens/SellingTotals.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace kivo {

class OrderSummaryModel;
class PhotoGridModel;
class Settings;

// Keeps the selling screen in step while a customer chooses packages: follows the selected
// photo into the package panel, routes the panel's changes into that photo's order, recomputes
// the photo's and the visit's totals half a second after each change, notices the first package,
// and carries out the screen's action buttons. The widgets read its state through the signals.
// Qt Core only; main thread.
class SellingCoordinator : public QObject
{
    Q_OBJECT

public:
    static constexpr int kRecomputeDelayMs = 500;

    SellingCoordinator(PhotoGridModel& grid, PackagePanelModel& panel, OrderSummaryModel& summary,
                       Settings& settings, QObject* parent = nullptr);

    // The pause between a quantity change and its recomputation (tests shorten it).
    void setRecomputeDelay(int ms) { m_delayMs = ms; }
    int recomputeDelay() const { return m_delayMs; }

    // A visit's photos: each gets a fresh order, the first is selected, totals start at 0. The
    // first photo's sample print, when the station makes one, is requested unless the sale
    // waits for the customer to mark the photos (SAMPLEPRINT false).
    void startVisit(const QStringList& photos, bool samplePrint = true);
    // The visit ends (start-over): no photos, nothing ordered.
    void endVisit();

    // "Zoom": the zoom window of the photo on show is asked for.
    void zoom();
    // A double click on the photo on show: the photo-editing window is asked for.
    void onPhotoDoubleClicked();
    // Clears the visit's order: every photo a fresh empty order, the first photo selected, the
    // summary cleared, the summary and back buttons disabled.
    void back();
    // Prices the visit's order into the summary model.
    void showSummary();
    // A sample print of PLU for the photo on show: counted in the panel and handed on with
    // samplePrintRequested {"PLU", "imagePath"}.
    void requestSamplePrint(const QString& plu);

    // The totals from the quantities as they are now (what the delayed recomputation runs).
    void recomputeTotals();

    QString currentPhotoPath() const { return m_currentPath; }
    // The file name shown for the current photo, "????????" when there is none.
    QString currentPhotoName() const;
    bool currentPhotoShowable() const { return m_currentShowable; }
    const SellingTotals& totals() const { return m_totals; }
    bool sessionStarted() const { return m_sessionStarted; }
    bool enteredFirstPackage() const { return m_enteredFirstPackage; }
    bool summaryButtonEnabled() const { return m_summaryEnabled; }
    bool backButtonEnabled() const { return m_backEnabled; }
    int pendingRecomputations() const { return m_pending; }

signals:
    // A visit's photos are about to load into the screen (work in the background waits).
    void photosLoading();
    void currentPhotoChanged(const QString& path, const QString& name, bool showable);
    void totalsChanged(const kivo::SellingTotals& totals);
    void summaryButtonEnabledChanged(bool enabled);
    void backButtonEnabledChanged(bool enabled);
    void sessionStartedChanged(bool started);
    void zoomRequested(const QString& path);
    void editRequested(const QString& path);
    void samplePrintRequested(const QVariantMap& info);

private:
    void handlePhotoSelected(int entry, const QString& path, bool showable);
    void handleQuantityChanged(int row);
    void handleFirstPackageEntered(int row, PackagePanelModel::FirstItemKind kind);
    void scheduleRecompute();
    void setTotals(const SellingTotals& totals);
    void setButtons(bool summary, bool back);
    void setSessionStarted(bool started);

    PhotoGridModel& m_grid;
    PackagePanelModel& m_panel;
    OrderSummaryModel& m_summary;
    Settings& m_settings;
    int m_delayMs = kRecomputeDelayMs;
    int m_pending = 0;
    QString m_currentPath;
    bool m_currentShowable = false;
    SellingTotals m_totals;
    bool m_sessionStarted = false;
    bool m_enteredFirstPackage = false;
    bool m_summaryEnabled = false;
    bool m_backEnabled = false;
};

} // namespace kivo
