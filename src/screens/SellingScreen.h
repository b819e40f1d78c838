#pragma once

#include <QWidget>

class QAbstractButton;
class QLabel;

namespace kivo {

class PackagePanelModel;
class PackagePanelView;
class PhotoGridModel;
class PhotoGridView;
class SellingCoordinator;
class SellingTotalsView;

// The selling screen: the customer's photos with the large preview, the package panel for the
// selected photo, the totals, and the action buttons. The coordinator holds the rules; this
// screen shows its state and passes the touches on. What "Start Over" and "Show Summary" lead
// to belongs to the sales window, which connects to those buttons.
class SellingScreen : public QWidget
{
    Q_OBJECT

public:
    SellingScreen(PhotoGridModel& grid, PackagePanelModel& panel, SellingCoordinator& coordinator,
                  QWidget* parent = nullptr);

    PhotoGridView* photoGrid() const { return m_grid; }
    PackagePanelView* packagePanel() const { return m_panel; }
    SellingTotalsView* totals() const { return m_totals; }
    QLabel* customerLabel() const { return m_customer; }
    QLabel* sponsorView() const { return m_sponsor; }
    QAbstractButton* startOverButton() const { return m_startOver; }
    QAbstractButton* backButton() const { return m_back; }
    QAbstractButton* summaryButton() const { return m_summary; }

private:
    PhotoGridView* m_grid = nullptr;
    PackagePanelView* m_panel = nullptr;
    SellingTotalsView* m_totals = nullptr;
    QLabel* m_customer = nullptr;
    QLabel* m_sponsor = nullptr;
    QAbstractButton* m_startOver = nullptr;
    QAbstractButton* m_back = nullptr;
    QAbstractButton* m_summary = nullptr;
};

} // namespace kivo
