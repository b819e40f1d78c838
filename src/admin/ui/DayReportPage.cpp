#include "admin/ui/DayReportPage.h"

#include "output/DayReport.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kivo {

namespace {

QTableWidget* makeTable(const QStringList& headers, const QString& name, QWidget* parent)
{
    auto* table = new QTableWidget(0, int(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->setAccessibleName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setMinimumHeight(200);
    return table;
}

// Amounts and counts (from column FIRSTNUMBER on) line up on the right.
void addRow(QTableWidget* table, const QStringList& cells, int firstNumber)
{
    const int row = table->rowCount();
    table->insertRow(row);
    for (int column = 0; column < cells.size(); ++column) {
        auto* item = new QTableWidgetItem(cells.at(column));
        if (column >= firstNumber)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, column, item);
    }
}

QStringList figures(const QString& label, const SalesFigures& f, bool taxKnown)
{
    const QString unknown = QCoreApplication::translate("Preferences", "not known");
    return {label,
            QString::number(f.orders),
            DayReport::money(f.subTotal),
            DayReport::money(f.discounts),
            taxKnown ? DayReport::money(f.tax) : unknown,
            taxKnown ? DayReport::money(f.total) : unknown};
}

} // namespace

DayReportPage::DayReportPage(Settings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_day(new QDateEdit(QDate::currentDate(), this)),
      m_summary(new QLabel(this)),
      m_packages(makeTable({tr("PLU"), tr("Package"), tr("Quantity"), tr("Amount")},
                           tr("Items per package"), this)),
      m_hours(makeTable(
          {tr("Hour"), tr("Orders"), tr("Subtotal"), tr("Discounts"), tr("Tax"), tr("Total")},
          tr("Sales per hour"), this)),
      m_findings(new QLabel(this))
{
    auto* layout = new QVBoxLayout(this);
    auto* dayRow = new QHBoxLayout;
    auto* dayLabel = new QLabel(tr("Day"), this);
    dayLabel->setBuddy(m_day);
    m_day->setAccessibleName(tr("Day"));
    m_day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_day->setCalendarPopup(true);
    // Arrows too small for a finger: a day back and forth with buttons of their own.
    auto* previous = new QPushButton(tr("Previous Day"), this);
    auto* next = new QPushButton(tr("Next Day"), this);
    for (QPushButton* button : {previous, next}) {
        button->setAccessibleName(button->text());
        button->setAutoDefault(false);
    }
    for (QWidget* w : {static_cast<QWidget*>(dayLabel), static_cast<QWidget*>(m_day),
                       static_cast<QWidget*>(previous), static_cast<QWidget*>(next)})
        dayRow->addWidget(w);
    dayRow->addStretch(1);
    layout->addLayout(dayRow);
    m_summary->setAccessibleName(tr("Summary"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    layout->addWidget(new QLabel(tr("Items per package"), this));
    layout->addWidget(m_packages, 1);
    layout->addWidget(new QLabel(tr("Sales per hour"), this));
    layout->addWidget(m_hours, 1);
    layout->addWidget(new QLabel(tr("Cross-check of order files and invoices"), this));
    m_findings->setAccessibleName(tr("Cross-check"));
    m_findings->setWordWrap(true);
    m_findings->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_findings);

    connect(m_day, &QDateEdit::dateChanged, this, &DayReportPage::refresh);
    connect(previous, &QPushButton::clicked, this, [this] { showDay(day().addDays(-1)); });
    connect(next, &QPushButton::clicked, this, [this] { showDay(day().addDays(1)); });
}

QDate DayReportPage::day() const
{
    return m_day->date();
}

void DayReportPage::showDay(const QDate& day)
{
    if (day == m_day->date())
        refresh();
    else
        m_day->setDate(day); // refreshes
}

void DayReportPage::setDay(const QDate& day)
{
    const QSignalBlocker block(m_day);
    m_day->setDate(day);
}

void DayReportPage::refresh()
{
    DayReport report;
    QString error;
    m_packages->setRowCount(0);
    m_hours->setRowCount(0);
    if (!report.load(DayReport::foldersFromSettings(m_settings), day(), &error)) {
        const QString text = tr("The report cannot be made: %1").arg(error);
        m_summary->setText(text);
        m_summary->setAccessibleDescription(text);
        m_findings->clear();
        m_findings->setAccessibleDescription(QString());
        return;
    }
    present(report);
}

void DayReportPage::present(const DayReport& report)
{
    const SalesFigures day = report.dayTotals();
    QString summary =
        tr("Orders: %1. Total: %2.").arg(report.orderCount()).arg(DayReport::money(day.total));
    if (!report.taxNotKnownIds().isEmpty())
        summary += QLatin1Char(' ') + tr("Orders whose tax is not known (no print job with "
                                         "totals): %1.")
                                          .arg(report.taxNotKnownIds().join(QStringLiteral(", ")));
    m_summary->setText(summary);
    m_summary->setAccessibleDescription(summary);

    for (const PackageSales& p : report.packages())
        addRow(m_packages,
               {p.plu, p.displayName, QString::number(p.quantity), DayReport::money(p.amount)}, 2);
    for (const HourSales& h : report.hours()) {
        if (h.figures.orders > 0)
            addRow(m_hours,
                   figures(QStringLiteral("%1:00").arg(h.hour, 2, 10, QLatin1Char('0')), h.figures,
                           true),
                   1);
    }
    addRow(m_hours, figures(tr("Day"), day, true), 1);
    if (!report.taxNotKnownIds().isEmpty())
        addRow(m_hours, figures(tr("Tax not known"), report.taxNotKnown(), false), 1);

    QStringList findings;
    for (const CrossCheckFinding& f : report.findings())
        findings << QStringLiteral("%1: %2").arg(f.customerId, f.detail);
    const QString text = findings.isEmpty() ? tr("Every order file matches its invoice.")
                                            : findings.join(QLatin1Char('\n'));
    m_findings->setText(text);
    m_findings->setAccessibleDescription(text);
}

} // namespace kivo
