#pragma once

#include <QWidget>

class QDateEdit;
class QLabel;
class QTableWidget;

namespace kivo {

class DayReport;
class Settings;

// The end-of-day report as a page of the preferences, read only: for the chosen day the number of
// orders, the items per package, the sales per hour and for the day, and what the cross-check of
// the order files against their invoices found. Read from the folders the settings name now.
class DayReportPage : public QWidget
{
    Q_OBJECT

public:
    DayReportPage(Settings& settings, QWidget* parent);

    // Reads the chosen day's files again.
    void refresh();
    // Chooses DAY and shows its report.
    void showDay(const QDate& day);
    // Chooses DAY without reading anything yet (the page is read when it is shown).
    void setDay(const QDate& day);
    QDate day() const;

private:
    void present(const DayReport& report);

    Settings& m_settings;
    QDateEdit* m_day;
    QLabel* m_summary;
    QTableWidget* m_packages;
    QTableWidget* m_hours;
    QLabel* m_findings;
};

} // namespace kivo
