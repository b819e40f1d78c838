#pragma once

#include <QWidget>

class QAbstractButton;
class QBoxLayout;
class QLabel;
class QVBoxLayout;

namespace kivo {

class ImageBrowserModel;
class ImageBrowserView;
class PackagePanelModel;
class PackagePanelView;
class PhotoGridModel;
class PhotoGridView;
class SellingCoordinator;
class SellingTotalsView;
class StaffNoticeIndicator;

// The selling screen: the large preview of the selected photo over a browser of the visit's
// photos (one row of six, paged), the package panel for the selected photo, the totals, and the
// action buttons. The coordinator holds the rules; this screen shows its state and passes the
// touches on. The browser shows the grid's photos in the grid's order and hands a touched photo
// to the grid by its path. What "Start Over", "Show Summary" and "Zoom" lead to belongs to the
// sales window, which connects to the coordinator and those buttons. Upright (higher than wide)
// the photos stand above the packages, with the totals moved down beside the order's buttons.
class SellingScreen : public QWidget
{
    Q_OBJECT

public:
    SellingScreen(PhotoGridModel& grid, PackagePanelModel& panel, SellingCoordinator& coordinator,
                  QWidget* parent = nullptr);

    // The browser's layout on the selling screen.
    static constexpr int kBrowserRows = 1;
    static constexpr int kBrowserColumns = 6;

    PhotoGridView* photoGrid() const { return m_grid; }
    ImageBrowserView* browser() const { return m_browser; }
    ImageBrowserModel* browserModel() const { return m_browserModel; }
    QAbstractButton* pageUpButton() const { return m_pageUp; }
    QAbstractButton* pageDownButton() const { return m_pageDown; }
    QAbstractButton* zoomButton() const { return m_zoom; }
    PackagePanelView* packagePanel() const { return m_panel; }
    SellingTotalsView* totals() const { return m_totals; }
    QLabel* customerLabel() const { return m_customer; }
    QLabel* sponsorView() const { return m_sponsor; }
    QAbstractButton* startOverButton() const { return m_startOver; }
    QAbstractButton* backButton() const { return m_back; }
    QAbstractButton* summaryButton() const { return m_summary; }
    // The staff's dot, in a corner of its own left free beside the heading.
    StaffNoticeIndicator* staffNotice() const { return m_staffNotice; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void browserPhotoChosen(int row, const QString& path);
    // Lays the columns out side by side, or upright one above the other.
    void arrangeColumns();

    QVBoxLayout* m_photoColumn = nullptr;
    QVBoxLayout* m_orderColumn = nullptr;

    PhotoGridModel& m_gridModel;
    PhotoGridView* m_grid = nullptr;
    ImageBrowserModel* m_browserModel = nullptr;
    ImageBrowserView* m_browser = nullptr;
    QAbstractButton* m_pageUp = nullptr;
    QAbstractButton* m_pageDown = nullptr;
    QAbstractButton* m_zoom = nullptr;
    PackagePanelView* m_panel = nullptr;
    SellingTotalsView* m_totals = nullptr;
    QLabel* m_customer = nullptr;
    QLabel* m_sponsor = nullptr;
    QAbstractButton* m_startOver = nullptr;
    QAbstractButton* m_back = nullptr;
    QAbstractButton* m_summary = nullptr;
    StaffNoticeIndicator* m_staffNotice = nullptr;
    QBoxLayout* m_columns = nullptr;
};

} // namespace kivo
